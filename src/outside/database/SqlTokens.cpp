#include "outside/database/SqlTokens.h"

#include "outside/database/DatabaseTexts.h"
#include "session/DatabaseError.h"

namespace {

bool isBlank(QChar c)
{
    const char16_t u = c.unicode();
    return u == u' ' || u == u'\t' || u == u'\n' || u == u'\f' || u == u'\r';
}

// Letters beyond ASCII (Persian names) are name characters in both databases.
bool isWordStart(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || u == u'_' || u == u'@' || u == u'#' || u >= 0x80;
}

bool isWordPart(QChar c)
{
    return isWordStart(c) || (c >= u'0' && c <= u'9') || c == u'$';
}

// Index just past a run opened at i that ends with `close`; a doubled `close`
// stays inside the run ('it''s', [a]]b]). An unterminated run ends with the text.
qsizetype skipQuoted(QStringView s, qsizetype i, QChar close)
{
    for (++i; i < s.size(); ++i) {
        if (s[i] != close)
            continue;
        if (i + 1 < s.size() && s[i + 1] == close) {
            ++i;
            continue;
        }
        return i + 1;
    }
    return i;
}

// Index just past the block comment opened at i.
qsizetype skipBlockComment(QStringView s, qsizetype i, bool nested)
{
    int depth = 1;
    for (i += 2; i + 1 < s.size(); ++i) {
        if (s[i] == u'*' && s[i + 1] == u'/') {
            ++i;
            if (--depth == 0)
                return i + 1;
        } else if (nested && s[i] == u'/' && s[i + 1] == u'*') {
            ++i;
            ++depth;
        }
    }
    return s.size();
}

} // namespace

QList<SqlToken> TokenizeSql(QStringView s, SqlDialect dialect)
{
    const bool server = dialect == SqlDialect::SqlServer;
    QList<SqlToken> tokens;
    qsizetype i = 0;
    while (i < s.size()) {
        const qsizetype start = i;
        const QChar c = s[i];
        const QChar next = i + 1 < s.size() ? s[i + 1] : QChar();
        SqlToken::Kind kind;
        if (isBlank(c)) {
            kind = SqlToken::Space;
            while (i < s.size() && isBlank(s[i]))
                ++i;
        } else if (c == u'\'') {
            kind = SqlToken::Literal;
            i = skipQuoted(s, i, u'\'');
        } else if (c == u'"') {
            kind = SqlToken::QuotedName;
            i = skipQuoted(s, i, u'"');
        } else if (c == u'[') {
            kind = SqlToken::QuotedName;
            i = skipQuoted(s, i, u']');
        } else if (c == u'`' && !server) {
            kind = SqlToken::QuotedName;
            i = skipQuoted(s, i, u'`');
        } else if (c == u'-' && next == u'-') {
            // The line end is not part of the comment.
            kind = SqlToken::LineComment;
            while (i < s.size() && s[i] != u'\n' && !(server && s[i] == u'\r'))
                ++i;
        } else if (c == u'/' && next == u'*') {
            kind = SqlToken::BlockComment;
            i = skipBlockComment(s, i, server);
        } else if (c >= u'0' && c <= u'9') {
            kind = SqlToken::Number;
            while (i < s.size() && (isWordPart(s[i]) || s[i] == u'.'))
                ++i;
        } else if (isWordStart(c)) {
            kind = SqlToken::Word;
            while (i < s.size() && isWordPart(s[i]))
                ++i;
        } else {
            kind = SqlToken::Symbol;
            ++i;
        }
        tokens.append(SqlToken {kind, s.mid(start, i - start)});
    }
    return tokens;
}

qsizetype SingleStatementLength(const QList<SqlToken> &tokens, const QString &statement)
{
    const auto isSemicolon = [](const SqlToken &token) {
        return token.kind == SqlToken::Symbol && token.text.front() == u';';
    };
    qsizetype end = 0;
    while (end < tokens.size() && !isSemicolon(tokens[end]))
        ++end;
    for (qsizetype i = end; i < tokens.size(); ++i)
        if (tokens[i].isSignificant() && !isSemicolon(tokens[i]))
            throw DatabaseError(DatabaseTexts::SeveralStatements(), statement);
    return end;
}
