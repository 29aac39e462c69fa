#include "outside/database/TsqlRewrite.h"

#include <vector>

namespace {

// The rewritten text. Where tokens were left out or text was written that
// the input did not have, the next piece must not merge with what precedes
// it: 'a'dbo.'b' must not become the one literal 'a''b', nor -dbo.-1 a
// comment. And a -- comment must end before anything written after it.
class Output
{
public:
    explicit Output(qsizetype reserve) { m_text.reserve(reserve); }

    void write(QStringView piece)
    {
        if (piece.isEmpty())
            return;
        if (m_inLineComment && piece.front() != u'\n')
            m_text += u'\n';
        else if (m_joinGuard && !m_text.isEmpty() && mayMerge(m_text.back(), piece.front()))
            m_text += u' ';
        m_text += piece;
        m_inLineComment = false;
        m_joinGuard = false;
    }
    void writeLineComment(QStringView comment)
    {
        write(comment);
        m_inLineComment = true;
    }
    // Something was left out or written here: guard the next join.
    void guardJoin() { m_joinGuard = true; }

    QString take() { return std::move(m_text); }

private:
    // Two characters that may belong to one token when they meet. Blanks and
    // the one-character tokens ( ) , ; keep anything apart; otherwise a blank
    // is added, which never changes the meaning.
    static bool mayMerge(QChar before, QChar after)
    {
        static const QStringView separators = u" \t\n\f\r(),;";
        return !separators.contains(before) && !separators.contains(after);
    }

    QString m_text;
    bool m_inLineComment = false;
    bool m_joinGuard = false;
};

class Rewriter
{
public:
    explicit Rewriter(const QList<SqlToken> &tokens) : t(tokens), n(tokens.size()) {}

    QString rewrite()
    {
        matchParentheses();
        std::vector<bool> castEnd(size_t(n), false); // ")" of a rewritten convert
        std::vector<bool> dropped(size_t(n), false); // blanks trimmed inside cast( ... )
        qsizetype length = 0;
        for (const SqlToken &token : t)
            length += token.text.size();
        Output out(length + 16);

        for (qsizetype i = 0; i < n; ++i) {
            const SqlToken &token = t[i];
            if (dropped[size_t(i)])
                continue;
            if (castEnd[size_t(i)]) {
                out.write(u" as text)");
                continue;
            }
            if (isSchemaQualifier(i)) {
                ++i; // the "." after it goes too
                out.guardJoin();
                continue;
            }
            if (token.kind == SqlToken::Word) {
                if (isCall(i, u"isnull")) {
                    out.write(u"ifnull");
                    continue;
                }
                qsizetype exprBegin, close;
                if (isWord(i, u"convert") && matchConvertToText(i, exprBegin, close)) {
                    // The expression's own tokens follow in this same loop;
                    // only the blanks around it go.
                    out.write(u"cast(");
                    castEnd[size_t(close)] = true;
                    if (t[exprBegin].kind == SqlToken::Space)
                        dropped[size_t(exprBegin)] = true;
                    if (t[close - 1].kind == SqlToken::Space)
                        dropped[size_t(close - 1)] = true;
                    i = exprBegin - 1;
                    continue;
                }
                if (isDeleteWithoutFrom(i)) {
                    out.write(token.text);
                    out.write(u" From");
                    out.guardJoin();
                    continue;
                }
                if (isUnicodePrefix(i)) {
                    out.guardJoin();
                    continue;
                }
            }
            QString name;
            if (token.kind == SqlToken::QuotedName && bracketNameHoldingClose(token.text, name)) {
                out.guardJoin();
                out.write(u'`' + name.replace(u'`', QStringLiteral("``")) + u'`');
                out.guardJoin();
                continue;
            }
            if (token.kind == SqlToken::LineComment)
                out.writeLineComment(token.text);
            else
                out.write(token.text);
        }
        return out.take();
    }

private:
    // For each "(": its ")" and whether it holds a comma at its own level,
    // and more than one. Found in one pass, so that matching a convert never
    // scans ahead (which made deeply nested converts quadratic).
    void matchParentheses()
    {
        m_close.assign(size_t(n), -1);
        m_firstComma.assign(size_t(n), -1);
        m_moreCommas.assign(size_t(n), false);
        std::vector<qsizetype> open;
        for (qsizetype i = 0; i < n; ++i) {
            if (isSymbol(i, u'(')) {
                open.push_back(i);
            } else if (isSymbol(i, u')') && !open.empty()) {
                m_close[size_t(open.back())] = i;
                open.pop_back();
            } else if (isSymbol(i, u',') && !open.empty()) {
                const size_t frame = size_t(open.back());
                if (m_firstComma[frame] < 0)
                    m_firstComma[frame] = i;
                else
                    m_moreCommas[frame] = true;
            }
        }
    }

    bool isWord(qsizetype i, QStringView word) const
    {
        return i >= 0 && i < n && t[i].kind == SqlToken::Word && t[i].text.compare(word, Qt::CaseInsensitive) == 0;
    }

    bool isSymbol(qsizetype i, QChar c) const
    {
        return i >= 0 && i < n && t[i].kind == SqlToken::Symbol && t[i].text.front() == c;
    }

    qsizetype nextSignificant(qsizetype i) const
    {
        for (++i; i < n; ++i)
            if (t[i].isSignificant())
                return i;
        return n;
    }

    qsizetype previousSignificant(qsizetype i) const
    {
        for (--i; i >= 0; --i)
            if (t[i].isSignificant())
                return i;
        return -1;
    }

    // A function call: the word followed by "(".
    bool isCall(qsizetype i, QStringView name) const
    {
        return isWord(i, name) && !isSymbol(previousSignificant(i), u'.') && isSymbol(nextSignificant(i), u'(');
    }

    // dbo / [dbo] / "dbo" / `dbo` directly followed by "." and not itself
    // qualified (a three-part name is left for SQLite to reject).
    bool isSchemaQualifier(qsizetype i) const
    {
        const QStringView text = t[i].text;
        bool isDbo = isWord(i, u"dbo");
        if (t[i].kind == SqlToken::QuotedName && text.size() == 5) {
            const QChar open = text.front();
            const QChar close = open == u'[' ? QChar(u']') : open;
            isDbo = text.back() == close && text.mid(1, 3).compare(u"dbo", Qt::CaseInsensitive) == 0;
        }
        return isDbo && isSymbol(i + 1, u'.') && !isSymbol(previousSignificant(i), u'.');
    }

    // N directly before a literal: T-SQL's Unicode text, which SQLite reads
    // as a name followed by a text.
    bool isUnicodePrefix(qsizetype i) const
    {
        return isWord(i, u"n") && i + 1 < n && t[i + 1].kind == SqlToken::Literal;
    }

    // convert ( varchar [ ( n ) ] , expression )  with no further argument.
    bool matchConvertToText(qsizetype i, qsizetype &exprBegin, qsizetype &close) const
    {
        const qsizetype open = nextSignificant(i);
        if (!isSymbol(open, u'('))
            return false;
        qsizetype k = nextSignificant(open);
        if (!isWord(k, u"varchar") && !isWord(k, u"nvarchar"))
            return false;
        k = nextSignificant(k);
        if (isSymbol(k, u'(')) {
            k = nextSignificant(k);
            if (k >= n || (t[k].kind != SqlToken::Number && !isWord(k, u"max")))
                return false;
            k = nextSignificant(k);
            if (!isSymbol(k, u')'))
                return false;
            k = nextSignificant(k);
        }
        // A second comma is a style argument: not a plain conversion to text.
        if (!isSymbol(k, u',') || m_firstComma[size_t(open)] != k || m_moreCommas[size_t(open)])
            return false;
        close = m_close[size_t(open)];
        exprBegin = k + 1;
        return close >= 0 && nextSignificant(k) < close; // and not empty
    }

    // "Delete <table>" as a statement; not "Delete From", nor the DELETE of
    // "ON DELETE CASCADE" or of a trigger ("AFTER DELETE ON ...").
    bool isDeleteWithoutFrom(qsizetype i) const
    {
        if (!isWord(i, u"delete"))
            return false;
        const qsizetype before = previousSignificant(i);
        if (isSymbol(before, u'.') || isWord(before, u"on"))
            return false;
        const qsizetype next = nextSignificant(i);
        if (next >= n)
            return false;
        if (t[next].kind == SqlToken::QuotedName)
            return true;
        if (t[next].kind != SqlToken::Word)
            return false;
        static const QStringView notTables[] = {u"from", u"on", u"as", u"cascade", u"set", u"restrict", u"no", u"top"};
        for (QStringView word : notTables)
            if (isWord(next, word))
                return false;
        return true;
    }

    // A complete [...] name holding "]" (written "]]"): its name in `name`.
    static bool bracketNameHoldingClose(QStringView text, QString &name)
    {
        if (text.front() != u'[' || !text.mid(1).contains(u"]]"))
            return false;
        name.clear();
        for (qsizetype i = 1; i < text.size(); ++i) {
            if (text[i] != u']') {
                name += text[i];
            } else if (i + 1 < text.size()) { // the tokenizer ends the name at a single "]"
                name += u']';
                ++i;
            } else {
                return true;
            }
        }
        return false; // unterminated: left for SQLite to reject
    }

    const QList<SqlToken> &t;
    const qsizetype n;
    std::vector<qsizetype> m_close;
    std::vector<qsizetype> m_firstComma;
    std::vector<bool> m_moreCommas;
};

} // namespace

QString RewriteTsqlForSqlite(const QList<SqlToken> &tokens)
{
    return Rewriter(tokens).rewrite();
}

QString RewriteTsqlForSqlite(const QString &tsql)
{
    return RewriteTsqlForSqlite(TokenizeSql(tsql, SqlDialect::Sqlite));
}
