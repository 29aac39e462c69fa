#pragma once
// Texts of the ledger window as the user sees them.

#include <QString>

inline const QString LedgerWindowTitle = QStringLiteral("گردش حساب");
// Joined with " " and the period name ("گردش حساب مربوط به " + " " + name at start-up).
inline const QString PeriodTitlePrefix = QStringLiteral("گردش حساب مربوط به");
inline const QString EditRefusedMessage = QStringLiteral("شما به انجام اين عمليات مجاز نيستيد. نقش 30302");
inline const QString EditingCaption = QStringLiteral("اصلاح جزئيات سند");
inline const QString CancelEditTitle = QStringLiteral("انصراف از ثبت تغييرات سند ");
inline const QString CancelEditQuestion = QStringLiteral(" آيا از ثبت  تغييرات منصرف شده ايد ");
inline const QString ActivePeriodCaption = QStringLiteral("دوره مالي فعال");
inline const QString NoDocumentTypeMessage = QStringLiteral("نوع سند انتخاب نشده است. لطفا نوع سند را انتخاب كنيد.");
inline const QString SaveFailedMessage = QStringLiteral("ثبت تغييرات رديف انجام نشد:");
// Title of the row actions' own problems (a save that found nothing to change).
inline const QString RowActionTitle = QStringLiteral("اشكال");
inline const QString NoDueDateMessage = QStringLiteral("تاريخ سررسيد خالي يا نامعتبر است. لطفا تاريخ سررسيد را وارد كنيد.");
inline const QString RowNotChangedMessage = QStringLiteral(
    "هيچ رديفي تغيير نكرد: اين رديف سند در اين فاصله حذف يا تغيير كرده است. مقادير وارد شده حفظ شده اند؛ "
    "براي ديدن وضع فعلي، انصراف و بازسازي را بزنيد.");
inline const QString LedgerLoadFailedMessage = QStringLiteral("گردش حساب خوانده نشد و جدول خالي شد:");
// A source form whose file name from the database is not a plain file name.
inline const QString SourceFormFileRefusedMessage = QStringLiteral("نام فايل فرم مبدا معتبر نيست: ");
// A grid value that must be a whole number and is not (or is too large).
inline const QString NotWholeNumberMessage = QStringLiteral("مقدار \"%1\" در رديف جاري عدد صحيح معتبر نيست.");
