#pragma once
// Persian phrases of the demo books, one place for all of them. Numbers and
// names are joined to them by the generator ("فروش كالا طي فاكتور شماره " + 1234).

namespace DemoText {

// Sales and returns
inline constexpr char SaleByInvoice[] = "فروش كالا طي فاكتور شماره ";
inline constexpr char To[] = " به ";
inline constexpr char From[] = " از ";
inline constexpr char SaleVat[] = "ماليات و عوارض ارزش افزوده فاكتور شماره ";
inline constexpr char SaleDelivery[] = "هزينه حمل و ارسال كالاي فاكتور شماره ";
inline constexpr char SettleWithin[] = "تسويه ظرف ";
inline constexpr char Days[] = " روز";
inline constexpr char ContractNote[] = "طبق قرارداد: ";
inline constexpr char ReturnOfInvoice[] = "برگشت از فروش فاكتور شماره ";
inline constexpr char ReturnWithoutInvoice[] = "برگشت از فروش بدون فاكتور - برگشتي شماره ";
inline constexpr char ReturnedGood[] = "كالاي برگشتي: ";
inline constexpr char ReturnVat[] = "برگشت ماليات ارزش افزوده فاكتور شماره ";
inline constexpr char DailyCashSales[] = "فروش نقدي روزانه ";
inline constexpr char DailySalesVat[] = "ماليات و عوارض ارزش افزوده فروش روزانه ";

// Receipts and cheques received
inline constexpr char ReceiptFromCustomer[] = "دريافت وجه از مشتري ";
inline constexpr char ForInvoice[] = " بابت فاكتور شماره ";
inline constexpr char ByReceipt[] = " طي رسيد شماره ";
inline constexpr char TransferBy[] = "واريز وجه توسط ";
inline constexpr char ReceiptNumber[] = " - رسيد شماره ";
inline constexpr char ChequeReceived[] = "دريافت چك شماره ";
inline constexpr char DueOn[] = " سررسيد ";
inline constexpr char ChequeCollected[] = "وصول چك شماره ";
inline constexpr char IntoBank[] = " به حساب بانك";
inline constexpr char Dash[] = " - ";
inline constexpr char DrawnOn[] = "بانك عهده: ";
inline constexpr const char *ChequeBanks[] = {
    "ملت شعبه ميدان ونك", "ملي شعبه بازار", "صادرات شعبه چهارباغ", "تجارت شعبه احمدآباد", "سپه شعبه مركزي",
};
inline constexpr char InvoiceCount[] = "تعداد فاكتورها: ";
inline constexpr char IntoWarehouse[] = "تحويل به انبار مركزي - رسيد انبار شماره ";

// Purchases and payments
inline constexpr char PurchaseByInvoice[] = "خريد كالا طي فاكتور خريد شماره ";
inline constexpr char PurchaseFrom[] = "خريد كالا از ";
inline constexpr char PurchaseInvoiceNumber[] = " - فاكتور خريد شماره ";
inline constexpr char PurchaseVat[] = "ماليات ارزش افزوده فاكتور خريد شماره ";
inline constexpr char PaymentTo[] = "پرداخت به ";
inline constexpr char ForPurchase[] = " بابت فاكتور خريد شماره ";
inline constexpr char TransferTo[] = "انتقال وجه به حساب ";
inline constexpr char PaymentByCheque[] = "پرداخت طي چك شماره ";
inline constexpr char ChequeIssued[] = "صدور چك شماره ";
inline constexpr char PayableTo[] = " در وجه ";
inline constexpr char ChequePaid[] = "پرداخت چك شماره ";

// Cash, expenses and payroll
inline constexpr char CashDeposit[] = "واريز وجوه نقد فروش روزانه به حساب بانك";
inline constexpr char CashDepositBank[] = "واريز وجوه نقد فروش روزانه";
inline constexpr char RentOfMonth[] = "اجاره ماه ";
inline constexpr char BillsOfMonth[] = "پرداخت قبوض آب، برق و گاز ماه ";
inline constexpr char PhoneOfMonth[] = "پرداخت قبض تلفن و اينترنت ماه ";
inline constexpr char BillsPaid[] = "پرداخت قبوض ماه ";
inline constexpr char PayrollOf[] = "حقوق و دستمزد كاركنان ";
inline constexpr char MonthOf[] = " ماه ";
inline constexpr char SalaryOf[] = "حقوق ";
inline constexpr char InsuranceShare[] = "بيمه سهم كارفرما ";
inline constexpr char SalaryPayment[] = "پرداخت حقوق ";
inline constexpr char SalaryTransfer[] = "واريز حقوق كاركنان ";
inline constexpr char BankChargesOf[] = "كارمزد خدمات بانكي ";
inline constexpr char PettyCashTopUp[] = "شارژ تنخواه گردان ";
inline constexpr char PettyPurchase[] = "پرداخت از محل تنخواه: ";
inline constexpr char OfficeSupplies[] = "خريد ملزومات اداري و لوازم التحرير";
inline constexpr char CourierFees[] = "كرايه حمل كالا به مشتريان";
inline constexpr char Advertising[] = "چاپ بروشور و تبليغات محيطي";

// Opening documents and drafts
inline constexpr char OpeningOfYear[] = "سند افتتاحيه سال مالي ";
inline constexpr char OpeningBalance[] = "مانده افتتاحيه ";
inline constexpr char OpeningCapital[] = "آورده نقدي و غير نقدي موسسين";
inline constexpr char DraftSale[] = "فروش كالا طي پيش فاكتور شماره ";
inline constexpr char DraftReceipt[] = "دريافت وجه از مشتري ";
inline constexpr char AwaitingApproval[] = " - در انتظار تاييد";

inline constexpr char PeriodName[] = "سال مالي ";

inline constexpr const char *MonthNames[12] = {
    "فروردين", "ارديبهشت", "خرداد", "تير", "مرداد", "شهريور",
    "مهر", "آبان", "آذر", "دي", "بهمن", "اسفند",
};

} // namespace DemoText
