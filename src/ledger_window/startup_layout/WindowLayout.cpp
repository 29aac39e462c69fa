#include "ledger_window/startup_layout/WindowLayout.h"

#include <QGuiApplication>
#include <QScreen>

namespace {

using K = ControlKind;

// Positions in twips. The window reads right to left: every label stands to
// the right of its field, and the first command button is the rightmost.
const QList<ControlPlacement> kLayout = {
    // Command bar. Buttons k = 0..6 from the left: cmdPeriod ... cmdEdit.
    {"Frm11", K::Frame, "", QString(), 120, 60, 16000, 520},
    {"cmdPeriod", K::Button, "Frm11", QStringLiteral("دوره مالي"), 60, 60, 2200, 400},
    {"cmdTools", K::Button, "Frm11", QStringLiteral("ابزار"), 2330, 60, 2200, 400},
    {"cmdFunc", K::Button, "Frm11", QStringLiteral("عمليات"), 4600, 60, 2200, 400},
    {"cmdReset", K::Button, "Frm11", QStringLiteral("بازسازي"), 6870, 60, 2200, 400},
    {"cmdEsc", K::Button, "Frm11", QStringLiteral("انصراف"), 9140, 60, 2200, 400},
    {"cmdSave", K::Button, "Frm11", QStringLiteral("ثبت"), 11410, 60, 2200, 400},
    {"cmdEdit", K::Button, "Frm11", QStringLiteral("اصلاح"), 13680, 60, 2200, 400},

    // Account, branch, dates and document numbers.
    {"lbl2", K::Label, "", QStringLiteral("حساب:"), 15200, 680, 900, 360},
    {"sltAccount", K::AccountPicker, "", QString(), 8700, 660, 6400, 400},
    {"lblBranch", K::Label, "", QStringLiteral("شعبه:"), 7800, 680, 800, 360},
    {"sltBranch", K::Selector, "", QString(), 3600, 660, 4100, 400},
    {"chkMix", K::Check, "", QStringLiteral("مشاهده به سرجمع سند"), 120, 660, 3400, 400},
    {"lbl20", K::Label, "", QStringLiteral("تاريخ از:"), 15200, 1160, 900, 360},
    {"dtpFromDate", K::Date, "", QString(), 13250, 1140, 1900, 400},
    {"lbl21", K::Label, "", QStringLiteral("تا:"), 12700, 1160, 500, 360},
    {"dtpToDate", K::Date, "", QString(), 10750, 1140, 1900, 400},
    {"Label4", K::Label, "", QStringLiteral("سند از:"), 9850, 1160, 800, 360},
    {"txtCodeFrom", K::FlatText, "", QString(), 8750, 1140, 1050, 400},
    {"Label3", K::Label, "", QStringLiteral("تا:"), 8250, 1160, 450, 360},
    {"txtCodeTo", K::FlatText, "", QString(), 7150, 1140, 1050, 400},
    {"chkCombinPeriod", K::Check, "", QStringLiteral("درنظر گيري چند دوره مالي"), 4100, 1140, 2900, 400},
    {"chkiOpening", K::Check, "", QStringLiteral(" بدون احتساب سند افتتاحيه        "), 120, 1140, 3900, 400},

    // Analytic classes and their objects.
    {"gbObjects", K::GroupBox, "", QStringLiteral("تفصيلي ها"), 120, 1620, 16000, 1400},
    {"sltClass1", K::Selector, "gbObjects", QString(), 12070, 300, 3870, 400},
    {"sltClass2", K::Selector, "gbObjects", QString(), 8080, 300, 3870, 400},
    {"sltClass3", K::Selector, "gbObjects", QString(), 4090, 300, 3870, 400},
    {"sltClass4", K::Selector, "gbObjects", QString(), 100, 300, 3870, 400},
    {"lblObject1", K::Label, "gbObjects", QStringLiteral("موجوديت 1:"), 14940, 820, 1000, 360},
    {"sltObject1", K::Selector, "gbObjects", QString(), 12070, 800, 2820, 400},
    {"lblObject2", K::Label, "gbObjects", QStringLiteral("موجوديت 2:"), 10950, 820, 1000, 360},
    {"sltObject2", K::Selector, "gbObjects", QString(), 8080, 800, 2820, 400},
    {"lblObject3", K::Label, "gbObjects", QStringLiteral("موجوديت 3:"), 6960, 820, 1000, 360},
    {"sltObject3", K::Selector, "gbObjects", QString(), 4090, 800, 2820, 400},
    {"lblObject4", K::Label, "gbObjects", QStringLiteral("موجوديت 4:"), 2970, 820, 1000, 360},
    {"sltObject4", K::Selector, "gbObjects", QString(), 100, 800, 2820, 400},

    // The ledger grid (start-up makes it 350 twips taller).
    {"flxAccount", K::Grid, "", QString(), 120, 3120, 16000, 4350},

    // The row edit panel.
    {"lbl10", K::Label, "", QStringLiteral("نوع:"), 15350, 7940, 750, 360},
    {"cmbDocumentType", K::Combo, "", QString(), 12900, 7920, 2400, 400},
    {"lbl11", K::Label, "", QStringLiteral("شماره عطف:"), 11700, 7940, 1150, 360},
    {"txtAdditionalFormSpec", K::FlatText, "", QString(), 10000, 7920, 1650, 400},
    {"lbl12", K::Label, "", QStringLiteral("تاريخ سررسيد:"), 8550, 7940, 1400, 360},
    {"dtpTrans", K::Date, "", QString(), 6600, 7920, 1900, 400},
    {"lbl89", K::Label, "", QStringLiteral("پروژه/قرارداد:"), 5200, 7940, 1350, 360},
    {"mptContract", K::Selector, "", QString(), 120, 7920, 5000, 400},
    {"lbl13", K::Label, "", QStringLiteral("توضيحات:"), 15200, 8420, 900, 360},
    {"txtDescription", K::FlatText, "", QString(), 5600, 8400, 9550, 400},
    {"lbl88", K::Label, "", QStringLiteral("فرم مربوطه:"), 4450, 8420, 1100, 360},
    {"txtFormType", K::FlatText, "", QString(), 1900, 8400, 2500, 400},
    {"txtFormID", K::FlatText, "", QString(), 800, 8400, 1050, 400},
    {"cmdFormID", K::Button, "", QStringLiteral("..."), 120, 8400, 620, 400},
    {"lblMessage", K::Label, "", QStringLiteral("سند جديد"), 12300, 8900, 3800, 360},
    {"lblContract", K::Label, "", QStringLiteral("مركز هزينه/درآمد:"), 10400, 8900, 1800, 360},
    {"mptPosition", K::Selector, "", QString(), 5600, 8880, 4750, 400},
    {"Label5", K::Label, "", QStringLiteral("تاريخ امروز:"), 4450, 8900, 1100, 360},
    {"dtpCreateDate", K::Date, "", QString(), 2500, 8880, 1900, 400},
    {"dtpDate", K::Date, "", QString(), 120, 8880, 1900, 400},

    // Balances and totals.
    {"frmRemained", K::Frame, "", QString(), 120, 9380, 16000, 500},
    {"txtSum", K::FlatText, "frmRemained", QStringLiteral(":مانده"), 15000, 50, 900, 380},
    {"txtSumAllDebit", K::FlatText, "frmRemained", QString(), 13300, 50, 1650, 380},
    {"txtSumAllCredit", K::FlatText, "frmRemained", QString(), 11600, 50, 1650, 380},
    {"txtSumDebit", K::FlatText, "frmRemained", QString(), 9900, 50, 1650, 380},
    {"txtSumCredit", K::FlatText, "frmRemained", QString(), 8200, 50, 1650, 380},
    {"Label2", K::Label, "frmRemained", QStringLiteral("سقف\u200Cاعتبار:"), 6900, 60, 1250, 360},
    {"txtMaxDebit_Credit", K::FlatText, "frmRemained", QString(), 5200, 50, 1650, 380},
    {"Label1", K::Label, "frmRemained", QStringLiteral("مانده\u200Cاعتبار:"), 3900, 60, 1250, 360},
    {"txtRemMaxDebit_Credit", K::FlatText, "frmRemained", QString(), 2200, 50, 1650, 380},
    {"frmRemainedtoday", K::Frame, "", QString(), 120, 9930, 16000, 500},
    {"txtSumToDay", K::FlatText, "frmRemainedtoday", QStringLiteral("مانده تا امروز:"), 14400, 50, 1500, 380},
    {"txtUpToNowAllDebit", K::FlatText, "frmRemainedtoday", QString(), 12700, 50, 1650, 380},
    {"txtUpToNowAllCredit", K::FlatText, "frmRemainedtoday", QString(), 11000, 50, 1650, 380},
    {"txtUpToNowDebit", K::FlatText, "frmRemainedtoday", QString(), 9300, 50, 1650, 380},
    {"txtUpToNowCredit", K::FlatText, "frmRemainedtoday", QString(), 7600, 50, 1650, 380},
    {"Frm7", K::Frame, "", QString(), 120, 10480, 16000, 500},
    {"lblSumChecked", K::FlatText, "Frm7", QStringLiteral(":جمع بدهکاري بررسي شده ها"), 13700, 50, 2200, 380},
    {"txtSumChecked", K::FlatText, "Frm7", QString(), 12200, 50, 1450, 380},
    {"lblSumUnChecked", K::FlatText, "Frm7", QStringLiteral(":جمع بدهکاري بررسي نشده ها"), 9900, 50, 2250, 380},
    {"txtSumUnChecked", K::FlatText, "Frm7", QString(), 8400, 50, 1450, 380},
    {"lblSumAssignedValue", K::Label, "Frm7", QStringLiteral("مانده هاي تخصيص:"), 6850, 60, 1500, 360},
    {"txtSumAssignedDebit", K::FlatText, "Frm7", QString(), 5150, 50, 1650, 380},
    {"txtSumAssignedCredit", K::FlatText, "Frm7", QString(), 3450, 50, 1650, 380},
    {"txtSumNotAssignedDebit", K::FlatText, "Frm7", QString(), 1750, 50, 1650, 380},
    {"txtSumNotAssignedCredit", K::FlatText, "Frm7", QString(), 50, 50, 1650, 380},
    {"ProgressBar", K::Progress, "", QString(), 120, 11030, 16000, 240},
};

double pixelsPerTwip()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInch() : 96.0;
    return dpi / 1440.0;
}

} // namespace

const QList<ControlPlacement> &LedgerWindowLayout()
{
    return kLayout;
}

int TwipsToPixels(int twips)
{
    return qRound(twips * pixelsPerTwip());
}

int PixelsToTwips(int pixels)
{
    return qRound(pixels / pixelsPerTwip());
}
