#pragma once
// The schema script of the stand-in database, embedded as ":/db/schema.sql".
// It has two parts: tables and views first, then indexes and triggers, which
// a bulk load creates only after the rows are in.

#include <QByteArray>

struct StandInSchemaText
{
    QByteArray tablesAndViews;
    QByteArray indexesAndTriggers;
};

// Throws DatabaseError when the embedded script is missing.
StandInSchemaText LoadStandInSchema();
