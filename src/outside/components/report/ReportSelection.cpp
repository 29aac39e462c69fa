#include "outside/components/report/ReportSelection.h"

#include "outside/components/report/ReportError.h"
#include "outside/components/report/ReportTexts.h"
#include "outside/database/SqlTokens.h"

namespace {

QStringList makeStagingColumns()
{
    QStringList columns {QStringLiteral("ID"), QStringLiteral("FormTypeID"), QStringLiteral("PrintFormatID")};
    for (int i = 0; i <= 9; ++i)
        columns << QStringLiteral("NaturalCol%1").arg(i);
    for (int i = 0; i <= 19; ++i)
        columns << QStringLiteral("StringCol%1").arg(i);
    for (int i = 0; i <= 9; ++i)
        columns << QStringLiteral("CurrencyCol%1").arg(i);
    return columns;
}

bool isNameCharacter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'_';
}

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// A reader over the formula text; every method either takes what it expects
// or throws the one "cannot translate" error, so no partial translation ever
// leaves here.
class FormulaReader
{
public:
    explicit FormulaReader(const QString &text) : m_text(text) {}

    bool atEnd()
    {
        skipBlanks();
        return m_pos >= m_text.size();
    }

    // "{view.column}" -> the column's own spelling, checked against the whitelist.
    QString field()
    {
        skipBlanks();
        expect(u'{');
        const qsizetype close = m_text.indexOf(u'}', m_pos);
        if (close < 0)
            fail();
        const QString inside = m_text.mid(m_pos, close - m_pos);
        m_pos = close + 1;
        const qsizetype dot = inside.indexOf(u'.');
        if (dot < 0)
            fail();
        const QString view = inside.left(dot).trimmed();
        const QString column = inside.mid(dot + 1).trimmed();
        if (!isName(view) || !isName(column))
            fail();
        if (view.compare(StagingView(), Qt::CaseInsensitive) != 0)
            throw ReportError(ReportTexts::SelectionUnknownView(view));
        const QString own = StagingColumn(column);
        if (own.isEmpty())
            throw ReportError(ReportTexts::SelectionUnknownColumn(StagingView(), column));
        return own;
    }

    QString comparison()
    {
        skipBlanks();
        for (const char *op : {"<=", ">=", "<>", "=", "<", ">"}) {
            const QLatin1StringView symbol(op);
            if (QStringView(m_text).mid(m_pos).startsWith(symbol)) {
                m_pos += symbol.size();
                return QString(symbol);
            }
        }
        fail();
    }

    QVariant value()
    {
        skipBlanks();
        if (m_pos >= m_text.size())
            fail();
        const QChar c = m_text[m_pos];
        if (c == u'\'' || c == u'"')
            return quoted(c);
        return number();
    }

    void conjunction()
    {
        skipBlanks();
        if (QStringView(m_text).mid(m_pos, 3).compare(u"And", Qt::CaseInsensitive) != 0)
            fail();
        m_pos += 3;
        // "Andx" is not the word And; "And{" is.
        if (m_pos < m_text.size() && isNameCharacter(m_text[m_pos]))
            fail();
    }

private:
    [[noreturn]] void fail() const { throw ReportError(ReportTexts::SelectionUntranslatable(m_text)); }

    static bool isName(const QString &name)
    {
        if (name.isEmpty())
            return false;
        for (QChar c : name)
            if (!isNameCharacter(c))
                return false;
        return true;
    }

    void skipBlanks()
    {
        while (m_pos < m_text.size() && m_text[m_pos].isSpace())
            ++m_pos;
    }

    void expect(QChar c)
    {
        if (m_pos >= m_text.size() || m_text[m_pos] != c)
            fail();
        ++m_pos;
    }

    // A text between quotes; the quote doubled inside stands for one.
    QVariant quoted(QChar quote)
    {
        ++m_pos;
        QString value;
        while (m_pos < m_text.size()) {
            const QChar c = m_text[m_pos++];
            if (c != quote) {
                value += c;
                continue;
            }
            if (m_pos < m_text.size() && m_text[m_pos] == quote) {
                value += quote;
                ++m_pos;
                continue;
            }
            return value;
        }
        fail(); // the closing quote is missing
    }

    // -?digits[.digits]: whole numbers bind as 64-bit integers, others as
    // doubles. Anything glued to the number ("315abc", "1.2.3") is refused.
    QVariant number()
    {
        const qsizetype start = m_pos;
        if (m_text[m_pos] == u'-')
            ++m_pos;
        const qsizetype digits = m_pos;
        while (m_pos < m_text.size() && isAsciiDigit(m_text[m_pos]))
            ++m_pos;
        if (m_pos == digits)
            fail();
        bool decimal = false;
        if (m_pos < m_text.size() && m_text[m_pos] == u'.') {
            decimal = true;
            const qsizetype fraction = ++m_pos;
            while (m_pos < m_text.size() && isAsciiDigit(m_text[m_pos]))
                ++m_pos;
            if (m_pos == fraction)
                fail();
        }
        if (m_pos < m_text.size() && (isNameCharacter(m_text[m_pos]) || m_text[m_pos] == u'.'))
            fail();
        const QString text = m_text.mid(start, m_pos - start);
        bool ok = false;
        if (decimal) {
            const double value = text.toDouble(&ok);
            if (!ok)
                throw ReportError(ReportTexts::SelectionNumberTooLarge(text));
            return value;
        }
        const qlonglong value = text.toLongLong(&ok);
        if (!ok)
            throw ReportError(ReportTexts::SelectionNumberTooLarge(text));
        return value;
    }

    const QString &m_text;
    qsizetype m_pos = 0;
};

ReportQuery translateFormula(const QString &formula, const QStringList &columns)
{
    FormulaReader reader(formula);
    QStringList conditions;
    QVariantList values;
    do {
        if (!conditions.isEmpty())
            reader.conjunction();
        const QString column = reader.field();
        const QString op = reader.comparison();
        values << reader.value();
        conditions << column + u' ' + op + QStringLiteral(" ?");
    } while (!reader.atEnd());

    QStringList selected;
    for (const QString &column : columns) {
        const QString own = StagingColumn(column);
        if (own.isEmpty())
            throw ReportError(ReportTexts::SelectionUnknownColumn(StagingView(), column));
        if (!selected.contains(own))
            selected << own;
    }
    ReportQuery query;
    query.sql = QStringLiteral("SELECT ") + (selected.isEmpty() ? QStringLiteral("*") : selected.join(QStringLiteral(", ")))
        + QStringLiteral(" FROM ") + StagingView() + QStringLiteral(" WHERE ") + conditions.join(QStringLiteral(" AND "))
        + QStringLiteral(" ORDER BY NaturalCol9, ID");
    query.values = values;
    return query;
}

// One SELECT and nothing else: no second statement after ";" and no
// SELECT ... INTO, which would create a table on SQL Server. The report's
// SQLite connection is opened read-only as a second guard.
ReportQuery checkedSelect(const QString &text)
{
    const QList<SqlToken> tokens = TokenizeSql(text, SqlDialect::SqlServer);
    bool seenSelect = false;
    bool afterSemicolon = false;
    for (const SqlToken &token : tokens) {
        if (!token.isSignificant())
            continue;
        if (afterSemicolon && !(token.kind == SqlToken::Symbol && token.text == u";"))
            throw ReportError(ReportTexts::SelectionNotSingleSelect());
        if (!seenSelect) {
            if (token.kind != SqlToken::Word || token.text.compare(u"SELECT", Qt::CaseInsensitive) != 0)
                throw ReportError(ReportTexts::SelectionNotSingleSelect());
            seenSelect = true;
        } else if (token.kind == SqlToken::Symbol && token.text == u";") {
            afterSemicolon = true;
        } else if (token.kind == SqlToken::Word && token.text.compare(u"INTO", Qt::CaseInsensitive) == 0) {
            throw ReportError(ReportTexts::SelectionNotSingleSelect());
        } else if ((token.kind == SqlToken::Literal || token.kind == SqlToken::QuotedName)
                   && (token.text.size() < 2
                       || token.text.back() != (token.text.front() == u'[' ? QChar(u']') : token.text.front()))) {
            // A literal or name left open runs to the end of the text.
            throw ReportError(ReportTexts::SelectionUntranslatable(text));
        }
    }
    ReportQuery query;
    query.sql = text;
    query.callerSelect = true;
    return query;
}

} // namespace

const QString &StagingView()
{
    static const QString view = QStringLiteral("vwAccountTempInfo");
    return view;
}

const QStringList &StagingColumns()
{
    static const QStringList columns = makeStagingColumns();
    return columns;
}

QString StagingColumn(QStringView name)
{
    for (const QString &column : StagingColumns())
        if (name.compare(column, Qt::CaseInsensitive) == 0)
            return column;
    return QString();
}

ReportQuery TranslateSelection(const QString &selection, const QStringList &columns)
{
    const QString text = selection.trimmed();
    if (text.isEmpty())
        throw ReportError(ReportTexts::SelectionEmpty());
    if (text.startsWith(u'{'))
        return translateFormula(text, columns);
    const QStringView head = QStringView(text).left(6);
    if (head.compare(u"SELECT", Qt::CaseInsensitive) == 0 && (text.size() == 6 || !isNameCharacter(text[6])))
        return checkedSelect(text);
    throw ReportError(ReportTexts::SelectionUntranslatable(selection));
}
