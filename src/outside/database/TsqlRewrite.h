#pragma once
// The component writes T-SQL, as the host's SQL Server expects. SQLite lacks
// a few of its constructs; this rewrite turns those into SQLite's forms and
// leaves everything else alone:
//   isnull(            -> ifnull(
//   dbo. [dbo]. "dbo". -> dropped (SQLite has no schemas of that name)
//   convert(varchar, x), convert(varchar(n), x)   -> cast(x as text)
//   Delete <table> Where ...                      -> Delete From <table> Where ...
//   N'...'             -> '...' (SQLite texts are Unicode already)
//   [a]]b]             -> `a]b` (SQLite ends a [...] name at the first "]")
// It works on tokens, so nothing inside a '...' literal, a "..." or [...]
// identifier or a comment is ever changed, and where it leaves something out
// or writes something new it keeps neighbouring tokens apart (two literals
// never run together, a -- comment never runs on into written text). One
// pass, no recursion: time and stack stay linear in the text at any depth of
// nesting. A text it cannot handle reaches SQLite unchanged, which then
// reports its own error.

#include "outside/database/SqlTokens.h"

#include <QString>

QString RewriteTsqlForSqlite(const QString &tsql);
// The same on tokens of TokenizeSql(..., SqlDialect::Sqlite), for a caller
// that has cut the text into tokens already.
QString RewriteTsqlForSqlite(const QList<SqlToken> &tokens);
