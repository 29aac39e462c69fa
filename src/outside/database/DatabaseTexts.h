#pragma once
// The Persian messages of the database backends, in one place so that they
// can be compared at a glance. Each names what it is about (path, provider,
// parameter) because the user or the host's administrator has to act on it.

#include <QString>

namespace DatabaseTexts {

inline QString MissingDatabaseFile(const QString &path)
{
    return QStringLiteral("فايل بانك اطلاعاتي پيدا نشد: ") + path;
}

inline QString MissingDataSource()
{
    return QStringLiteral("مسير فايل بانك اطلاعاتي (Data Source) در رشته اتصال نيامده است.");
}

inline QString MissingProvider()
{
    return QStringLiteral("نوع ارتباط با بانك اطلاعاتي (Provider) در رشته اتصال نيامده است.");
}

inline QString UnknownProvider(const QString &provider)
{
    return QStringLiteral("نوع ارتباط با بانك اطلاعاتي شناخته نشد: ") + provider;
}

inline QString MissingDriver(const QString &driver)
{
    return QStringLiteral("راه انداز بانك اطلاعاتي نصب نشده است: ") + driver;
}

inline QString ConnectionFailed(const QString &databaseMessage)
{
    return QStringLiteral("اتصال به بانك اطلاعاتي برقرار نشد.\n") + databaseMessage;
}

inline QString UnknownProcedure(const QString &name)
{
    return QStringLiteral("رويه ذخيره شده شناخته نشد: ") + name;
}

inline QString TooFewArguments(const QString &procedure)
{
    return QStringLiteral("تعداد پارامترهاي رويه ") + procedure + QStringLiteral(" كافي نيست.");
}

inline QString TextTooLong(const QString &parameter, int size)
{
    return QStringLiteral("طول مقدار پارامتر ") + parameter + QStringLiteral(" بيش از ")
        + QString::number(size) + QStringLiteral(" حرف است.");
}

inline QString NotANumber(const QString &parameter)
{
    return QStringLiteral("مقدار پارامتر ") + parameter + QStringLiteral(" عدد نيست.");
}

inline QString NotADate(const QString &parameter)
{
    return QStringLiteral("مقدار پارامتر ") + parameter + QStringLiteral(" تاريخ نيست.");
}

// A text holding a second statement after ";" (a trailing ";" is fine).
inline QString SeveralStatements()
{
    return QStringLiteral("متن فرمان بيش از يك دستور SQL دارد؛ در هر بار فقط يك دستور اجرا مي شود.");
}

inline QString InvalidDate()
{
    return QStringLiteral("تاريخ نامعتبر است.");
}

// A date that cannot be written with a four-digit year; `date` as the user
// knows it (Jalali).
inline QString DateOutOfRange(const QString &date)
{
    return QStringLiteral("تاريخ ") + date + QStringLiteral(" خارج از محدوده تاريخهاي قابل قبول است.");
}

} // namespace DatabaseTexts
