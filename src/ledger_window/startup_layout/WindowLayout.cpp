#include "ledger_window/startup_layout/WindowLayout.h"

#include <QGuiApplication>
#include <QScreen>

namespace {

using K = ControlKind;

// Positions in twips. The window reads right to left: every label stands to
// the right of its field, and the first command button is the rightmost.
// Between a field and the label that follows it (to its left) there are at
// least 150 twips, so no label reads as part of the field before it; a label
// keeps 60 twips from its own field. Labels are as wide as their text and a
// little more. Amount fields hold the widest amount a currency value can
// show, "-922,337,203,685,477.5807", which is why the totals take two rows
// in each of their frames.
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

    // Filters, in the order they are typed: the account, the dates and the
    // document numbers on the first row; the two period options, the branch
    // and the per-document view on the second. The branch selector shows its
    // own caption "شعبه", so it has no label beside it.
    {"lbl2", K::Label, "", QStringLiteral("حساب:"), 15460, 660, 660, 360},
    {"sltAccount", K::AccountPicker, "", QString(), 9080, 640, 6320, 400},
    {"lbl20", K::Label, "", QStringLiteral("تاريخ از:"), 8270, 660, 660, 360},
    {"dtpFromDate", K::Date, "", QString(), 6310, 640, 1900, 400},
    {"lbl21", K::Label, "", QStringLiteral("تا:"), 5860, 660, 300, 360},
    {"dtpToDate", K::Date, "", QString(), 3900, 640, 1900, 400},
    {"Label4", K::Label, "", QStringLiteral("سند از:"), 3090, 660, 660, 360},
    {"txtCodeFrom", K::FlatText, "", QString(), 1830, 640, 1200, 400},
    {"Label3", K::Label, "", QStringLiteral("تا:"), 1380, 660, 300, 360},
    {"txtCodeTo", K::FlatText, "", QString(), 120, 640, 1200, 400},
    {"chkCombinPeriod", K::Check, "", QStringLiteral("درنظر گيري چند دوره مالي"), 13570, 1100, 2550, 400},
    {"chkiOpening", K::Check, "", QStringLiteral(" بدون احتساب سند افتتاحيه        "), 10420, 1100, 3000, 400},
    {"sltBranch", K::Selector, "", QString(), 5870, 1100, 4400, 400},
    {"chkMix", K::Check, "", QStringLiteral("مشاهده به سرجمع سند"), 3440, 1100, 2280, 400},

    // Analytic classes and their objects: one pair to a row, the class at the
    // right, then the object's label and the object with its class's name as
    // caption, so each pair reads as one line in the order it is typed.
    {"gbObjects", K::GroupBox, "", QStringLiteral("تفصيلي ها"), 120, 1560, 16000, 2100},
    {"sltClass1", K::Selector, "gbObjects", QString(), 11290, 340, 4650, 400},
    {"lblObject1", K::Label, "gbObjects", QStringLiteral("موجوديت 1:"), 10090, 360, 1050, 360},
    {"sltObject1", K::Selector, "gbObjects", QString(), 60, 340, 9970, 400},
    {"sltClass2", K::Selector, "gbObjects", QString(), 11290, 770, 4650, 400},
    {"lblObject2", K::Label, "gbObjects", QStringLiteral("موجوديت 2:"), 10090, 790, 1050, 360},
    {"sltObject2", K::Selector, "gbObjects", QString(), 60, 770, 9970, 400},
    {"sltClass3", K::Selector, "gbObjects", QString(), 11290, 1200, 4650, 400},
    {"lblObject3", K::Label, "gbObjects", QStringLiteral("موجوديت 3:"), 10090, 1220, 1050, 360},
    {"sltObject3", K::Selector, "gbObjects", QString(), 60, 1200, 9970, 400},
    {"sltClass4", K::Selector, "gbObjects", QString(), 11290, 1630, 4650, 400},
    {"lblObject4", K::Label, "gbObjects", QStringLiteral("موجوديت 4:"), 10090, 1650, 1050, 360},
    {"sltObject4", K::Selector, "gbObjects", QString(), 60, 1630, 9970, 400},

    // The ledger grid. Start-up makes it 350 twips taller, over the place of
    // the balances up to today, which show only in due-date order, when the
    // grid gives those 350 twips back.
    {"flxAccount", K::Grid, "", QString(), 120, 3720, 16000, 3880},
    // The search bar, shown only while searching: it floats over the lower
    // rows of the analytic filters, right above the grid, so that its
    // description and amount fields stand over the grid columns they search.
    {"FrameSearchDetail", K::Frame, "", QString(), 120, 2940, 16000, 760},
    {"Label6", K::Label, "FrameSearchDetail", QStringLiteral("تاريخ:"), 14600, 20, 700, 300},
    {"DateSearch", K::Date, "FrameSearchDetail", QString(), 13900, 320, 2100, 400},
    {"lblDescSearch", K::Label, "FrameSearchDetail", QStringLiteral("شرح"), 9200, 20, 500, 300},
    {"txtAccDescSearch", K::FlatText, "FrameSearchDetail", QString(), 7200, 320, 4500, 400},
    {"lblPriceSearch", K::Label, "FrameSearchDetail", QStringLiteral("مبلغ"), 4900, 20, 500, 300},
    {"txtPriceSearch", K::FlatText, "FrameSearchDetail", QString(), 3600, 320, 3100, 400},
    {"cmdCancel", K::Button, "FrameSearchDetail", QStringLiteral("انصراف"), 1060, 320, 1000, 400},
    {"cmdOkey", K::Button, "FrameSearchDetail", QStringLiteral("تاييد"), 2080, 320, 1000, 400},
    {"frmRemainedtoday", K::Frame, "", QString(), 120, 7640, 16000, 480},
    {"txtSumToDay", K::FlatText, "frmRemainedtoday", QStringLiteral("مانده تا امروز:"), 14690, 50, 1260, 380},
    {"txtUpToNowAllDebit", K::FlatText, "frmRemainedtoday", QString(), 12170, 50, 2460, 380},
    {"txtUpToNowAllCredit", K::FlatText, "frmRemainedtoday", QString(), 9610, 50, 2460, 380},
    {"txtUpToNowDebit", K::FlatText, "frmRemainedtoday", QString(), 7050, 50, 2460, 380},
    {"txtUpToNowCredit", K::FlatText, "frmRemainedtoday", QString(), 4490, 50, 2460, 380},

    // The row edit panel.
    {"lbl10", K::Label, "", QStringLiteral("نوع:"), 15700, 8200, 420, 360},
    {"cmbDocumentType", K::Combo, "", QString(), 13240, 8180, 2400, 400},
    {"lbl11", K::Label, "", QStringLiteral("شماره عطف:"), 11920, 8200, 1170, 360},
    {"txtAdditionalFormSpec", K::FlatText, "", QString(), 10360, 8180, 1500, 400},
    {"lbl12", K::Label, "", QStringLiteral("تاريخ سررسيد:"), 8980, 8200, 1230, 360},
    {"dtpTrans", K::Date, "", QString(), 7020, 8180, 1900, 400},
    {"lbl89", K::Label, "", QStringLiteral("پروژه/قرارداد:"), 5670, 8200, 1200, 360},
    {"mptContract", K::Selector, "", QString(), 120, 8180, 5490, 400},
    {"lbl13", K::Label, "", QStringLiteral("توضيحات:"), 15250, 8640, 870, 360},
    {"txtDescription", K::FlatText, "", QString(), 5760, 8620, 9430, 400},
    {"lbl88", K::Label, "", QStringLiteral("فرم مربوطه:"), 4500, 8640, 1110, 360},
    {"txtFormType", K::FlatText, "", QString(), 2190, 8620, 2250, 400},
    {"txtFormID", K::FlatText, "", QString(), 1040, 8620, 1050, 400},
    {"cmdFormID", K::Button, "", QStringLiteral("..."), 120, 8620, 820, 400},
    {"lblMessage", K::Label, "", QStringLiteral("سند جديد"), 13420, 9080, 2700, 360},
    {"lblContract", K::Label, "", QStringLiteral("مركز هزينه/درآمد:"), 11770, 9080, 1500, 360},
    {"mptPosition", K::Selector, "", QString(), 7210, 9060, 4500, 400},
    {"Label5", K::Label, "", QStringLiteral("تاريخ امروز:"), 6040, 9080, 1020, 360},
    {"dtpCreateDate", K::Date, "", QString(), 4080, 9060, 1900, 400},
    {"dtpDate", K::Date, "", QString(), 2030, 9060, 1900, 400},

    // Balances, period totals and the credit limit.
    {"frmRemained", K::Frame, "", QString(), 120, 9520, 16000, 900},
    {"txtSum", K::FlatText, "frmRemained", QStringLiteral(":مانده"), 14930, 50, 1020, 380},
    {"txtSumAllDebit", K::FlatText, "frmRemained", QString(), 12410, 50, 2460, 380},
    {"txtSumAllCredit", K::FlatText, "frmRemained", QString(), 9850, 50, 2460, 380},
    {"txtSumDebit", K::FlatText, "frmRemained", QString(), 7290, 50, 2460, 380},
    {"txtSumCredit", K::FlatText, "frmRemained", QString(), 4730, 50, 2460, 380},
    {"Label2", K::Label, "frmRemained", QStringLiteral("سقف\u200Cاعتبار:"), 14930, 480, 1020, 360},
    {"txtMaxDebit_Credit", K::FlatText, "frmRemained", QString(), 12410, 470, 2460, 380},
    {"Label1", K::Label, "frmRemained", QStringLiteral("مانده\u200Cاعتبار:"), 11240, 480, 1020, 360},
    {"txtRemMaxDebit_Credit", K::FlatText, "frmRemained", QString(), 8720, 470, 2460, 380},

    // Review and assignment totals.
    {"Frm7", K::Frame, "", QString(), 120, 10480, 16000, 900},
    {"lblSumChecked", K::FlatText, "Frm7", QStringLiteral(":جمع بدهکاري بررسي شده ها"), 13430, 50, 2520, 380},
    {"txtSumChecked", K::FlatText, "Frm7", QString(), 10910, 50, 2460, 380},
    {"lblSumUnChecked", K::FlatText, "Frm7", QStringLiteral(":جمع بدهکاري بررسي نشده ها"), 8180, 50, 2580, 380},
    {"txtSumUnChecked", K::FlatText, "Frm7", QString(), 5660, 50, 2460, 380},
    {"lblSumAssignedValue", K::Label, "Frm7", QStringLiteral("مانده هاي تخصيص:"), 14330, 480, 1620, 360},
    {"txtSumAssignedDebit", K::FlatText, "Frm7", QString(), 11810, 470, 2460, 380},
    {"txtSumAssignedCredit", K::FlatText, "Frm7", QString(), 9250, 470, 2460, 380},
    {"txtSumNotAssignedDebit", K::FlatText, "Frm7", QString(), 6690, 470, 2460, 380},
    {"txtSumNotAssignedCredit", K::FlatText, "Frm7", QString(), 4130, 470, 2460, 380},

    {"ProgressBar", K::Progress, "", QString(), 120, 11440, 16000, 200},
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
