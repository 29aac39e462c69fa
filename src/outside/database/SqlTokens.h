#pragma once
// SQL text cut into tokens the way the receiving database reads it, so that
// the dialect layer can change a text without touching what is inside a
// literal, a quoted name or a comment, and can count statements.
//
// The two databases read a few things differently:
//   SQLite:     -- comments end at a line feed; /* */ comments do not nest;
//               `name` is a quoted name.
//   SQL Server: -- comments end at a carriage return or a line feed; /* */
//               comments nest; a backtick is an ordinary symbol.
// Both: '...' literals and "..." names with the quote doubled inside, [...]
// names with "]]" inside standing for "]" (the component writes T-SQL; the
// SQLite rewrite turns such a name into SQLite's form).

#include <QList>
#include <QString>
#include <QStringView>

struct SqlToken
{
    enum Kind { Space, Word, Number, Literal, QuotedName, LineComment, BlockComment, Symbol };
    Kind kind;
    QStringView text;

    bool isComment() const { return kind == LineComment || kind == BlockComment; }
    bool isSignificant() const { return kind != Space && !isComment(); }
};

enum class SqlDialect { Sqlite, SqlServer };

// Tokens of the text; they view `text`, which must outlive them. Every
// character belongs to exactly one token, so joining the tokens' texts gives
// the text back. Unterminated literals, names and comments run to the end.
QList<SqlToken> TokenizeSql(QStringView text, SqlDialect dialect);

// The number of tokens that make up the text's one statement: all of them, or
// those before a ";" that is followed only by blanks, comments and further
// ";". A second statement (any other token after a ";") is refused with a
// DatabaseError carrying `statement`, before anything reaches the database.
qsizetype SingleStatementLength(const QList<SqlToken> &tokens, const QString &statement);
