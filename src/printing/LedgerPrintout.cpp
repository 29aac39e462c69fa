// The ledger window's printouts: the grid's rows staged in the shared report
// table, the template chosen in frmReport, and the report component run on
// them; the staged rows are removed again afterwards.

#include "ledger_window/frmAccountDetails.h"
#include "ledger_window/ledger/LedgerColumns.h"
#include "ledger_window/ledger/ProgressPacer.h"
#include "ledger_window/row_actions/ReviewMarks.h"
#include "outside/components/ComponentRegistry.h"
#include "outside/controls/FlexGrid.h"
#include "outside/controls/VelkoDate.h"
#include "outside/controls/VelkoSelector.h"
#include "outside/controls/comAccountPicker.h"
#include "printing/ReportStaging.h"
#include "printing/frmReport.h"
#include "session/DtEn.h"
#include "session/Messages.h"
#include "session/Session.h"
#include "session/ValueText.h"
#include "session/modMain.h"

#include <QApplication>
#include <QLineEdit>
#include <stdexcept>

namespace {

const QString ReportComponentName = QStringLiteral("comCrystalReport.comCrystalRpt");
constexpr int InvoiceFormType = 901;

Currency fieldAmount(const frmAccountDetails &window, const char *name)
{
    return ParseAmount(window.summaryField(QLatin1String(name))->text());
}

// The values every record of one run shares.
StagingHeader stagingHeader(const frmAccountDetails &window, const VelkoDate &printedDate)
{
    StagingHeader header;
    header.fromDate = window.dtpFromDate->JalaliText();
    header.toDate = window.dtpToDate->JalaliText();
    header.printedDate = printedDate.JalaliText();
    header.sumDebit = fieldAmount(window, "txtSumDebit");
    header.sumCredit = fieldAmount(window, "txtSumCredit");
    header.sumAllDebit = fieldAmount(window, "txtSumAllDebit");
    header.sumAllCredit = fieldAmount(window, "txtSumAllCredit");
    header.broughtForward = Session.BalanceBroughtForward;
    return header;
}

StagedLine stagedLine(const FlexGrid &grid, int row)
{
    using namespace LedgerCol;
    StagedLine line;
    line.code = grid.TextMatrix(row, AccTransCode);
    line.documentId = grid.TextMatrix(row, DocumentID);
    line.gridRow = row;
    line.documentDate = grid.TextMatrix(row, FarsiDocumentDate);
    line.transactionDate = grid.TextMatrix(row, FarsiTransactionDate);
    line.description = grid.TextMatrix(row, Description);
    line.accountCode = grid.TextMatrix(row, AccountCode);
    line.debit = ParseAmount(grid.TextMatrix(row, Debit));
    line.credit = ParseAmount(grid.TextMatrix(row, Credit));
    line.debitBalance = ParseAmount(grid.TextMatrix(row, DebitBalance));
    line.creditBalance = ParseAmount(grid.TextMatrix(row, CreditBalance));
    return line;
}

// The goods of a sale invoice, read through the reused document-type recordset.
std::vector<InvoiceItem> invoiceItems(qint32 invoiceId)
{
    Recordset &goods = ReopenOnText(QStringLiteral("rssqlAccDocumentTypeL"), InvoiceItemsQuery(invoiceId));
    std::vector<InvoiceItem> items;
    if (goods.RecordCount() > 0) {
        for (goods.MoveFirst(); !goods.Eof(); goods.MoveNext()) {
            InvoiceItem item;
            item.name = goods.FieldText(QStringLiteral("Name"));
            item.qty = goods.FieldText(QStringLiteral("Qty"));
            item.unit = goods.FieldText(QStringLiteral("GoodUnit"));
            item.retailPrice = goods.FieldText(QStringLiteral("RetailPrice"));
            item.saleValue = Currency::parsePrefix(goods.FieldText(QStringLiteral("SaleValue")));
            items.push_back(item);
        }
    }
    goods.Close();
    return items;
}

// Shows the template picker for the ledger's form and report format; the
// chosen file (or "") is left in Session.PrintFilePath and in the component.
QString chooseTemplate(frmAccountDetails &window, QObject &report)
{
    frmReport picker(&window);
    picker.ReportFormatID = LedgerReportFormatID;
    picker.FormTypeID = LedgerReportFormTypeID;
    picker.exec();
    report.setProperty("ReportFile", Session.PrintFilePath);
    return report.property("ReportFile").toString();
}

void clearTemplateChoice(QObject &report)
{
    report.setProperty("ReportFile", QString());
    Session.PrintFilePath.clear();
}

// The clearing statement and the records of every grid row as one unit: a
// statement that fails rolls back the clearing and every row before it, so
// no report runs on a partial set. The progress bar follows the rows.
void stageRows(frmAccountDetails &window, const std::function<void(const FlexGrid &, int)> &stageRow)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const FlexGrid &grid = *window.flxAccount;
    ProgressPacer progress(window.ProgressBar, grid.Rows() - 1);
    DtEnTransaction staging(Session.DataEnvironment());
    ExecuteText(StagingClearStatement);
    for (int row = 1; row < grid.Rows(); ++row) {
        stageRow(grid, row);
        progress.rowDone(row);
    }
    staging.Commit();
    QApplication::restoreOverrideCursor();
}

// Runs the component with the wait pointer, then removes the staged rows;
// a failure the component reports is shown once the rows are gone.
void runReport(QObject &report, const std::function<void()> &start)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    start();
    QApplication::restoreOverrideCursor();
    ExecuteText(StagingClearStatement);
    const QString failure = report.property("LastError").toString();
    if (!failure.isEmpty())
        ShowMessage(ErrorTitle, failure);
}

// The report component when the user may print (nullptr after the refusal
// message otherwise); a component that cannot be created is an error.
QObject *permittedReport(frmAccountDetails &window)
{
    if (!HasPermission(PrintPermission)) {
        ShowMessage(ErrorTitle, NotPermittedMessage);
        return nullptr;
    }
    QObject *report = window.ReportComponent();
    if (!report)
        throw std::runtime_error(QStringLiteral("قطعه چاپ گزارش (%1) در دسترس نيست.").arg(ReportComponentName).toStdString());
    return report;
}

} // namespace

QObject *frmAccountDetails::ReportComponent()
{
    if (!m_reportComponent)
        m_reportComponent = CreateComponent(ReportComponentName);
    return m_reportComponent.get();
}

void frmAccountDetails::PrintLedger(bool &Preview, const QVariant &)
{
    QObject *report = permittedReport(*this);
    if (!report)
        return;
    clearTemplateChoice(*report);
    const QString reportFile = chooseTemplate(*this, *report);
    if (reportFile.isEmpty())
        return;
    report->setProperty("Destination", Preview ? 0 : 1);

    StagingHeader header = stagingHeader(*this, *dtpCreateDate);
    header.heading = AccountTitle + QStringLiteral("-->") + sltAccount->AccountCodeText() + QStringLiteral("...")
                     + sltAccount->AccountTitleText();
    for (int pair = 1; pair <= 4; ++pair)
        header.analyticTexts << sltClass[pair]->DisplayText() << sltObject[pair]->DisplayText();
    const bool itemTemplate = reportFile.contains(QLatin1String("good"), Qt::CaseInsensitive);

    stageRows(*this, [&](const FlexGrid &grid, int row) {
        if (grid.TextMatrix(row, LedgerCol::DocumentID).isEmpty())
            return;
        const StagedLine line = stagedLine(grid, row);
        const bool invoiceRow = itemTemplate && !line.debit.isZero() && !line.debit.isNegative()
                                && LeadingNumber(grid.TextMatrix(row, LedgerCol::FormTypeID)) == InvoiceFormType;
        std::vector<StagedLine> lines;
        if (invoiceRow) {
            const qint32 invoiceId = RowKeyValue(grid.TextMatrix(row, LedgerCol::FormID));
            lines = ExpandInvoiceRow(line, invoiceId, invoiceItems(invoiceId));
        }
        if (lines.empty())
            lines.push_back(line);
        for (const StagedLine &printed : lines)
            ExecuteText(LedgerPrintoutInsert(printed, header));
    });

    runReport(*report, [&] {
        report->setProperty("Connection", Session.ConnectionText);
        report->setProperty("Selection", LedgerReportSelection);
        report->setProperty("Action", 1);
    });
}

void frmAccountDetails::mnuFunc3_Click()
{
    bool preview = true;
    PrintLedger(preview);
}

void frmAccountDetails::mnuFunc5_Click()
{
    bool preview = false;
    PrintLedger(preview);
}

void frmAccountDetails::printConflictReport(int destination)
{
    QObject *report = permittedReport(*this);
    if (!report)
        return;

    StagingHeader header = stagingHeader(*this, *dtpDate);
    header.heading = QStringLiteral("گردش حساب ") + sltAccount->AccountTitleText() + QStringLiteral(" به كد ")
                     + sltAccount->AccountCodeText();
    // The review text of the grid decides, so a mark removed since the last
    // load counts at once.
    stageRows(*this, [&](const FlexGrid &grid, int row) {
        if (grid.TextMatrix(row, LedgerCol::IsChecked).isEmpty())
            ExecuteText(ConflictReportInsert(stagedLine(grid, row), header));
    });

    clearTemplateChoice(*report);
    if (chooseTemplate(*this, *report).isEmpty()) {
        // Closing the picker prints nothing; the staged rows go as well, so
        // no other printout of the shared table meets them.
        ExecuteText(StagingClearStatement);
        return;
    }
    runReport(*report, [&] {
        report->setProperty("Connection", BuildReportConnect(Session.ConnectionText));
        report->setProperty("Selection", ConflictReportSelection);
        report->setProperty("Destination", destination);
        QMetaObject::invokeMethod(report, "RunReport", Qt::DirectConnection);
    });
}

void frmAccountDetails::mnuConfilictView_Click() { printConflictReport(0); }
void frmAccountDetails::mnuConfilictPrint_Click() { printConflictReport(1); }
