#pragma once
// The component writes T-SQL, as the host's SQL Server expects. SQLite lacks
// a few of its constructs; this rewrite turns those into SQLite's forms and
// leaves everything else alone:
//   isnull(            -> ifnull(
//   dbo. [dbo]. "dbo". -> dropped (SQLite has no schemas of that name)
//   convert(varchar, x), convert(varchar(n), x)   -> cast(x as text)
//   Delete <table> Where ...                      -> Delete From <table> Where ...
// It works on tokens, so nothing inside a '...' literal, a "..." or [...]
// identifier or a comment is ever changed. A text it cannot handle reaches
// SQLite unchanged, which then reports its own error.

#include <QString>

QString RewriteTsqlForSqlite(const QString &tsql);
