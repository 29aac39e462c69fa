#pragma once
// Every statement the component sends passes here first, exactly as built
// (before any dialect rewrite), so tests and administrators can read it.

#include <QString>
#include <QVariantList>
#include <functional>

struct TracedStatement
{
    QString text;            // SQL text, or the call text of a stored procedure
    QString command;         // the named command or recordset, when there is one
    QVariantList parameters; // values passed to a stored procedure
};

using SqlTraceHook = std::function<void(const TracedStatement &)>;

void SetSqlTraceHook(SqlTraceHook hook); // an empty hook switches tracing off
void TraceStatement(const TracedStatement &statement);
