#pragma once
// Every text the selector, date and account-picker controls show, in one
// place so the Persian wording can be compared at a glance.

#include <QString>

namespace LookupText {

inline const QString CodeHeader = QStringLiteral("كد");
inline const QString NameHeader = QStringLiteral("نام");
inline const QString TitleHeader = QStringLiteral("عنوان");
inline const QString IdHeader = QStringLiteral("شناسه");

inline const QString Search = QStringLiteral("جستجو:");
inline const QString SearchHint = QStringLiteral("بخشي از كد يا نام را بنويسيد");
inline const QString Accept = QStringLiteral("تاييد");
inline const QString Cancel = QStringLiteral("انصراف");
inline const QString OpenLookup = QStringLiteral("فهرست");
inline const QString OpenCalendar = QStringLiteral("تقويم");

inline const QString SelectorLookupTitle = QStringLiteral("انتخاب");
inline const QString AccountLookupTitle = QStringLiteral("انتخاب حساب");

inline const QString UnknownCode = QStringLiteral("كد نامعتبر است");
inline const QString UnknownAccountCode = QStringLiteral("كد حساب نامعتبر است");
inline const QString NoConnection = QStringLiteral("اتصال به پايگاه داده تعيين نشده است");
inline const QString BadViewName = QStringLiteral("نام نماي فهرست نامعتبر است: ");
inline const QString ReadFailed = QStringLiteral("خواندن فهرست ممكن نشد: ");

// Why a typed date is refused: BadDate, then one of the reasons with the
// typed text (and for DateOutOfRange the first and last date taken).
inline const QString BadDate = QStringLiteral("تاريخ نامعتبر است: ");
inline const QString DateIncomplete = QStringLiteral("«%1» كامل نيست؛ سال چهاررقمي، ماه و روز را بنويسيد.");
inline const QString DateNoSuchDay = QStringLiteral("روز %1 در تقويم شمسي وجود ندارد.");
inline const QString DateOutOfRange = QStringLiteral("%1 خارج از محدوده است؛ تاريخ بايد از %2 تا %3 باشد.");
inline const QString DateFormatHint = QStringLiteral("تاريخ را به صورت سال/ماه/روز وارد كنيد، مانند 1402/05/09");

} // namespace LookupText
