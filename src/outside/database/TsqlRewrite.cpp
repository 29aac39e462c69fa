#include "outside/database/TsqlRewrite.h"

#include <QList>
#include <QStringView>

namespace {

struct Token
{
    enum Kind { Space, Word, Number, Literal, QuotedName, Comment, Symbol };
    Kind kind;
    QStringView text;
};

bool isWordStart(QChar c)
{
    return c.isLetter() || c == u'_' || c == u'@' || c == u'#';
}

bool isWordPart(QChar c)
{
    return c.isLetterOrNumber() || c == u'_' || c == u'@' || c == u'#' || c == u'$';
}

// Index just past a run that ends with `close`; a doubled `close` stays
// inside the run ('it''s', [a]]b]). An unterminated run ends with the text.
qsizetype skipQuoted(QStringView s, qsizetype i, QChar close)
{
    ++i;
    while (i < s.size()) {
        if (s[i] == close) {
            if (i + 1 < s.size() && s[i + 1] == close) {
                i += 2;
                continue;
            }
            return i + 1;
        }
        ++i;
    }
    return i;
}

QList<Token> tokenize(QStringView s)
{
    QList<Token> tokens;
    qsizetype i = 0;
    while (i < s.size()) {
        const qsizetype start = i;
        const QChar c = s[i];
        Token::Kind kind;
        if (c.isSpace()) {
            kind = Token::Space;
            while (i < s.size() && s[i].isSpace())
                ++i;
        } else if (c == u'\'') {
            kind = Token::Literal;
            i = skipQuoted(s, i, u'\'');
        } else if (c == u'"') {
            kind = Token::QuotedName;
            i = skipQuoted(s, i, u'"');
        } else if (c == u'[') {
            kind = Token::QuotedName;
            i = skipQuoted(s, i, u']');
        } else if (c == u'-' && i + 1 < s.size() && s[i + 1] == u'-') {
            kind = Token::Comment;
            while (i < s.size() && s[i] != u'\n')
                ++i;
        } else if (c == u'/' && i + 1 < s.size() && s[i + 1] == u'*') {
            kind = Token::Comment;
            const qsizetype end = s.indexOf(u"*/", i + 2);
            i = end < 0 ? s.size() : end + 2;
        } else if (c.isDigit()) {
            kind = Token::Number;
            while (i < s.size() && (isWordPart(s[i]) || s[i] == u'.'))
                ++i;
        } else if (isWordStart(c)) {
            kind = Token::Word;
            while (i < s.size() && isWordPart(s[i]))
                ++i;
        } else {
            kind = Token::Symbol;
            ++i;
        }
        tokens.append(Token {kind, s.mid(start, i - start)});
    }
    return tokens;
}

class Rewriter
{
public:
    explicit Rewriter(const QList<Token> &tokens) : t(tokens) {}

    // Rewrites tokens [begin, end).
    QString rewrite(qsizetype begin, qsizetype end) const
    {
        QString out;
        for (qsizetype i = begin; i < end; ++i) {
            const Token &token = t[i];
            if (isSchemaQualifier(i, begin)) {
                ++i; // the "." after it goes too
                continue;
            }
            if (token.kind == Token::Word) {
                if (isCall(i, end, u"isnull")) {
                    out += QLatin1String("ifnull");
                    continue;
                }
                if (isWord(i, u"convert")) {
                    qsizetype exprBegin, exprEnd, close;
                    if (matchConvertToText(i, end, exprBegin, exprEnd, close)) {
                        out += QLatin1String("cast(") + rewrite(exprBegin, exprEnd).trimmed()
                            + QLatin1String(" as text)");
                        i = close;
                        continue;
                    }
                }
                if (isDeleteWithoutFrom(i, begin, end)) {
                    out += token.text;
                    out += QLatin1String(" From");
                    continue;
                }
            }
            out += token.text;
        }
        return out;
    }

private:
    bool isWord(qsizetype i, QStringView word) const
    {
        return i >= 0 && i < t.size() && t[i].kind == Token::Word
            && t[i].text.compare(word, Qt::CaseInsensitive) == 0;
    }

    bool isSymbol(qsizetype i, QChar c) const
    {
        return i >= 0 && i < t.size() && t[i].kind == Token::Symbol && t[i].text.front() == c;
    }

    bool significant(qsizetype i) const
    {
        return t[i].kind != Token::Space && t[i].kind != Token::Comment;
    }

    qsizetype nextSignificant(qsizetype i, qsizetype end) const
    {
        for (++i; i < end; ++i)
            if (significant(i))
                return i;
        return end;
    }

    qsizetype previousSignificant(qsizetype i, qsizetype begin) const
    {
        for (--i; i >= begin; --i)
            if (significant(i))
                return i;
        return -1;
    }

    // A function call: the word followed by "(".
    bool isCall(qsizetype i, qsizetype end, QStringView name) const
    {
        return isWord(i, name) && !isSymbol(previousSignificant(i, 0), u'.')
            && isSymbol(nextSignificant(i, end), u'(');
    }

    // dbo / [dbo] / "dbo" directly followed by "." and not itself qualified
    // (a three-part name is left for SQLite to reject).
    bool isSchemaQualifier(qsizetype i, qsizetype begin) const
    {
        const Token &token = t[i];
        bool isDbo = isWord(i, u"dbo");
        if (token.kind == Token::QuotedName && token.text.size() == 5)
            isDbo = token.text.mid(1, 3).compare(u"dbo", Qt::CaseInsensitive) == 0;
        return isDbo && isSymbol(i + 1, u'.') && !isSymbol(previousSignificant(i, begin), u'.');
    }

    // convert ( varchar [ ( n ) ] , expression )  with no further argument.
    bool matchConvertToText(qsizetype i, qsizetype end, qsizetype &exprBegin, qsizetype &exprEnd,
                            qsizetype &close) const
    {
        qsizetype k = nextSignificant(i, end);
        if (!isSymbol(k, u'('))
            return false;
        k = nextSignificant(k, end);
        if (!isWord(k, u"varchar") && !isWord(k, u"nvarchar"))
            return false;
        k = nextSignificant(k, end);
        if (isSymbol(k, u'(')) {
            k = nextSignificant(k, end);
            if (k >= end || (t[k].kind != Token::Number && !isWord(k, u"max")))
                return false;
            k = nextSignificant(k, end);
            if (!isSymbol(k, u')'))
                return false;
            k = nextSignificant(k, end);
        }
        if (!isSymbol(k, u','))
            return false;
        exprBegin = k + 1;
        int depth = 0;
        for (qsizetype j = exprBegin; j < end; ++j) {
            if (isSymbol(j, u'(')) {
                ++depth;
            } else if (isSymbol(j, u')')) {
                if (depth == 0) {
                    exprEnd = j;
                    close = j;
                    return nextSignificant(exprBegin - 1, j) < j; // not empty
                }
                --depth;
            } else if (depth == 0 && isSymbol(j, u',')) {
                return false; // a style argument: not a plain conversion to text
            }
        }
        return false;
    }

    // "Delete <table>" as a statement; not "Delete From", nor the DELETE of
    // "ON DELETE CASCADE" or of a trigger ("AFTER DELETE ON ...").
    bool isDeleteWithoutFrom(qsizetype i, qsizetype begin, qsizetype end) const
    {
        if (!isWord(i, u"delete"))
            return false;
        const qsizetype before = previousSignificant(i, begin);
        if (isSymbol(before, u'.') || isWord(before, u"on"))
            return false;
        const qsizetype next = nextSignificant(i, end);
        if (next >= end)
            return false;
        if (t[next].kind == Token::QuotedName)
            return true;
        if (t[next].kind != Token::Word)
            return false;
        static const QStringView notTables[] = {u"from", u"on", u"as", u"cascade", u"set",
                                                u"restrict", u"no", u"top"};
        for (QStringView word : notTables)
            if (isWord(next, word))
                return false;
        return true;
    }

    const QList<Token> &t;
};

} // namespace

QString RewriteTsqlForSqlite(const QString &tsql)
{
    const QList<Token> tokens = tokenize(tsql);
    return Rewriter(tokens).rewrite(0, tokens.size());
}
