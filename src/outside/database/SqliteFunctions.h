#pragma once
// The two database functions the component calls by name, which SQL Server
// keeps in the host's database and SQLite has to be given on each connection:
//   fnAccountDocumentDetailAssignedValue(DocumentID, RowNumber, side)
//     side 0: sum of AssignedValue of the links whose related form is this
//             accounting-document row (form type 303); side 1: the same for
//             the links whose referring form is this row. A null AssignedValue
//             counts 0; no link at all gives NULL.
//   fnVelkoStringToTable(text)
//     table-valued: one row, column ID, per comma-separated number of text.

struct sqlite3;

// Registers both on an open connection. Throws DatabaseError.
void RegisterSqliteFunctions(sqlite3 *db);
