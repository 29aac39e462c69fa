#include "DemoDocumentSave.h"

#include <QCalendar>
#include <QDate>
#include <QFile>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <QVariant>
#include <optional>

namespace {

// A typed amount in whole rials: digits with optional thousands separators,
// Persian or Arabic-Indic digits accepted. Blank is zero.
std::optional<qint64> parseAmount(QString text)
{
    text = text.trimmed();
    text.remove(QLatin1Char(',')).remove(QChar(0x066C));
    if (text.isEmpty())
        return 0;
    qint64 value = 0;
    for (const QChar c : text) {
        const int digit = c.digitValue();
        if (digit < 0 || __builtin_mul_overflow(value, qint64(10), &value)
            || __builtin_add_overflow(value, qint64(digit), &value))
            return std::nullopt;
    }
    return value;
}

QDate parseJalali(const QString &text)
{
    static const QRegularExpression shape(QStringLiteral("^\\s*(\\d{4})/(\\d{1,2})/(\\d{1,2})\\s*$"));
    const QRegularExpressionMatch m = shape.match(text);
    if (!m.hasMatch())
        return {};
    return QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt(),
                 QCalendar(QCalendar::System::Jalali));
}

} // namespace

QString DemoJalaliText(const QDate &date)
{
    const QCalendar::YearMonthDay ymd = QCalendar(QCalendar::System::Jalali).partsFromDate(date);
    return QStringLiteral("%1/%2/%3").arg(ymd.year, 4, 10, QLatin1Char('0'))
        .arg(ymd.month, 2, 10, QLatin1Char('0')).arg(ymd.day, 2, 10, QLatin1Char('0'));
}

namespace {

struct CheckedRow
{
    QString code;
    QString description;
    qint64 debit = 0;
    qint64 credit = 0;
    int accountId = 0;
};

} // namespace

QString DemoDatabaseFile(const QString &connection)
{
    for (const QString &part : connection.split(QLatin1Char(';')))
        if (part.section(QLatin1Char('='), 0, 0).trimmed().compare(QLatin1String("Data Source"), Qt::CaseInsensitive) == 0)
            return part.section(QLatin1Char('='), 1).trimmed();
    return {};
}

DemoDocumentSaved SaveDemoDocument(const QString &connection, const QString &jalaliDate,
                                   const QString &description, const QList<DemoDocumentRow> &rows, int userId)
{
    auto refuse = [](const QString &why) { return DemoDocumentSaved {0, why}; };

    const QDate date = parseJalali(jalaliDate);
    if (!date.isValid())
        return refuse(QStringLiteral("تاريخ سند معتبر نيست؛ مانند 1405/02/10 وارد كنيد."));

    QList<CheckedRow> checked;
    qint64 debits = 0;
    qint64 credits = 0;
    for (int i = 0; i < rows.size(); ++i) {
        const DemoDocumentRow &row = rows[i];
        if (row.accountCode.trimmed().isEmpty() && row.description.trimmed().isEmpty()
            && row.debit.trimmed().isEmpty() && row.credit.trimmed().isEmpty())
            continue;
        const QString at = QStringLiteral("رديف %1: ").arg(i + 1);
        CheckedRow c;
        c.code = row.accountCode.trimmed();
        c.description = row.description.trimmed();
        const std::optional<qint64> debit = parseAmount(row.debit);
        const std::optional<qint64> credit = parseAmount(row.credit);
        if (!debit || !credit)
            return refuse(at + QStringLiteral("مبلغ بايد عدد صحيح و مثبت (ريال) باشد."));
        c.debit = *debit;
        c.credit = *credit;
        if (c.code.isEmpty())
            return refuse(at + QStringLiteral("كد حساب وارد نشده است."));
        if ((c.debit == 0) == (c.credit == 0))
            return refuse(at + QStringLiteral("هر رديف بايد فقط مبلغ بدهكار يا فقط مبلغ بستانكار داشته باشد."));
        if (__builtin_add_overflow(debits, c.debit, &debits) || __builtin_add_overflow(credits, c.credit, &credits))
            return refuse(QStringLiteral("مبلغ از حد مجاز بيشتر است."));
        checked.append(c);
    }
    if (checked.isEmpty())
        return refuse(QStringLiteral("سند هيچ رديفي ندارد."));
    if (debits != credits)
        return refuse(QStringLiteral("سند تراز نيست: جمع بدهكار %1 و جمع بستانكار %2 است.")
                          .arg(debits).arg(credits));

    const QString file = DemoDatabaseFile(connection);
    if (file.isEmpty())
        return refuse(QStringLiteral("بانك اطلاعاتي مشخص نشده است."));

    const QString iso = date.toString(Qt::ISODate);
    const QString farsi = DemoJalaliText(date);
    const QString name = QUuid::createUuid().toString();
    DemoDocumentSaved result;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(file);
        // An existing database only: a mistyped path must not leave an empty file behind.
        if (!QFile::exists(file) || !db.open() || !db.transaction()) {
            result = refuse(QStringLiteral("بانك اطلاعاتي باز نشد: ") + file);
        } else {
            result = [&]() -> DemoDocumentSaved {
                QSqlQuery q(db);
                auto fail = [&](const QSqlQuery &failed) {
                    return refuse(QStringLiteral("ثبت سند انجام نشد: ") + failed.lastError().text());
                };
                // Only posting accounts, those without sub-accounts, take ledger rows.
                q.prepare(QStringLiteral("select a.ID, exists (select 1 from tblAccount c where c.ParentID = a.ID) "
                                         "from tblAccount a where a.Code = ?"));
                for (CheckedRow &c : checked) {
                    q.addBindValue(c.code);
                    if (!q.exec())
                        return fail(q);
                    if (!q.next())
                        return refuse(QStringLiteral("حساب با كد %1 وجود ندارد.").arg(c.code));
                    if (q.value(1).toBool())
                        return refuse(QStringLiteral("حساب %1 حساب معين نيست و زير حساب دارد.").arg(c.code));
                    c.accountId = q.value(0).toInt();
                }
                q.prepare(QStringLiteral("select ID from tblAccountPeriod where BeginDate <= ? and EndDate >= ?"));
                q.addBindValue(iso);
                q.addBindValue(iso);
                if (!q.exec())
                    return fail(q);
                if (!q.next())
                    return refuse(QStringLiteral("تاريخ %1 در هيچ دوره مالي نيست.").arg(farsi));
                const int period = q.value(0).toInt();
                // Document numbers run within a period.
                q.prepare(QStringLiteral("select coalesce(max(Code), 0) + 1 from tblAccountDocument where PeriodID = ?"));
                q.addBindValue(period);
                if (!q.exec() || !q.next())
                    return fail(q);
                const qint64 code = q.value(0).toLongLong();
                if (!q.exec(QStringLiteral("select coalesce(max(ID), 0) + 1 from tblAccountDocument")) || !q.next())
                    return fail(q);
                const int id = q.value(0).toInt();

                // Branch 1 is the central office; document type 1 a general document.
                q.prepare(QStringLiteral("insert into tblAccountDocument (ID, Code, DocumentDate, FarsiDocumentDate, "
                                         "BranchID, IsFinalized, IsScratch, Description, DocumentTypeID, PeriodID, "
                                         "UserID) values (?, ?, ?, ?, 1, 0, 0, ?, 1, ?, ?)"));
                for (const QVariant &v : QVariantList {id, code, iso, farsi, description.trimmed(), period,
                                                       userId > 0 ? QVariant(userId) : QVariant(1)})
                    q.addBindValue(v);
                if (!q.exec())
                    return fail(q);
                q.prepare(QStringLiteral("insert into tblAccountDocumentDetail (DocumentID, RowNumber, AccountID, "
                                         "DebitValue, CreditValue, Description, TransactionDate, FarsiTransactionDate, "
                                         "DocumentTypeID, IsChecked, IsAssignmentExcluded, DocumentCode, DocumentDate, "
                                         "FarsiDocumentDate, BranchID, IsFinalized, IsScratch) "
                                         "values (?, ?, ?, ?, ?, ?, ?, ?, 1, 0, 0, ?, ?, ?, 1, 0, 0)"));
                int rowNumber = 0;
                for (const CheckedRow &c : checked) {
                    for (const QVariant &v : QVariantList {id, ++rowNumber, c.accountId, c.debit, c.credit,
                                                           c.description.isEmpty() ? description.trimmed() : c.description,
                                                           iso, farsi, code, iso, farsi})
                        q.addBindValue(v);
                    if (!q.exec())
                        return fail(q);
                }
                return DemoDocumentSaved {id, {}};
            }();
            if (result.id == 0 || !db.commit()) {
                if (result.id != 0)
                    result = refuse(QStringLiteral("ثبت سند انجام نشد: ") + db.lastError().text());
                db.rollback();
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return result;
}
