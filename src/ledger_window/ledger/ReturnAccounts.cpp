// The ledger load: from the window's filters to the filled grid.

#include "ledger_window/WindowTexts.h"
#include "ledger_window/frmAccountDetails.h"
#include "ledger_window/ledger/FillSteps.h"
#include "ledger_window/ledger/LedgerColumns.h"
#include "ledger_window/ledger/LedgerQuery.h"
#include "ledger_window/ledger/PartFill.h"
#include "ledger_window/ledger/ProgressPacer.h"
#include "outside/controls/FlexGrid.h"
#include "outside/controls/VelkoDate.h"
#include "outside/controls/VelkoSelector.h"
#include "outside/controls/comAccountPicker.h"
#include "session/Clock.h"
#include "session/DatabaseError.h"
#include "session/DtEn.h"
#include "session/Session.h"
#include "session/ValueText.h"
#include "session/modMain.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include <algorithm>

using namespace LedgerCol;

namespace {

// The hourglass for the duration of a load; it goes away even when a step fails.
class WaitCursor
{
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

bool isLeafAccount(qint32 accountId)
{
    return RunCommandValue(QStringLiteral("spAccountIsLeafAccount"), {accountId}) != 0;
}

void closeIfOpen(const QString &recordset)
{
    Recordset &rs = Session.DataEnvironment().Rs(recordset);
    if (rs.IsOpen())
        rs.Close();
}

// A total as the totals fields show it: empty for null, else with separators.
QString totalText(const Recordset &rs, const QString &field, bool separators)
{
    if (rs.IsNull(field))
        return QString();
    const QString text = rs.FieldText(field);
    return separators ? FormatAmountText(text) : text;
}

} // namespace

// The filter values of the window and the session as the ledger texts need them.
LedgerFilter frmAccountDetails::currentLedgerFilter(qint32 AccountID) const
{
    LedgerFilter filter;
    filter.accountId = AccountID;
    filter.excludeOpeningDocument = chkiOpening->isChecked();
    filter.objectsEnabled = Session.ObjectsEnabled;
    for (int n = 1; n <= 4; ++n) {
        AnalyticPairFilter &pair = filter.pairs[n - 1];
        pair.classEmpty = sltClass[n]->IsEmpty();
        pair.objectEmpty = sltObject[n]->IsEmpty();
        pair.classId = sltClass[n]->SelectedID();
        pair.objectId = sltObject[n]->SelectedID();
        pair.objectViewMinor = sltObject[n]->ViewMinor();
    }
    filter.branchChosen = !sltBranch->IsEmpty();
    filter.branchId = sltBranch->SelectedID();
    if (!dtpFromDate->IsEmpty())
        filter.fromDate = SqlDate(dtpFromDate->Value());
    if (!dtpToDate->IsEmpty())
        filter.toDate = SqlDate(dtpToDate->Value());
    filter.codeFromText = txtCodeFrom->text();
    filter.codeToText = txtCodeTo->text();
    filter.sortByDocumentDate = menuItem(QStringLiteral("mnuSortDocumentDate"))->isChecked();
    filter.rowCondition = Session.RowCondition;
    filter.periodCondition = Session.PeriodCondition;
    filter.today = SqlDate(Today());
    return filter;
}

void frmAccountDetails::ReturnAccounts(qint32 AccountID)
{
    returnAccountsFrom(AccountID, LedgerViews::Posted);
}

void frmAccountDetails::ReturnAccountsWithScratch(qint32 AccountID)
{
    returnAccountsFrom(AccountID, LedgerViews::WithScratch);
}

void frmAccountDetails::returnAccountsFrom(qint32 AccountID, LedgerViews views)
{
    LedgerFilter filter = currentLedgerFilter(AccountID);
    const LedgerConditions conditions = BuildLedgerConditions(filter, views);
    Session.DocumentTypeCondition = conditions.documentType;

    if (Session.RequeryFlag == 1) {
        // A load that fails half-way leaves nothing that looks like a figure,
        // and the next rebuild tries again.
        try {
            loadLedger(AccountID, filter, conditions, views);
        } catch (const DatabaseError &error) {
            ClearLedger();
            throw DatabaseError(LedgerLoadFailedMessage + QLatin1Char('\n') + error.message(), error.statement());
        } catch (const std::exception &error) {
            ClearLedger();
            throw DatabaseError(LedgerLoadFailedMessage + QLatin1Char('\n') + QString::fromUtf8(error.what()));
        }
    }

    Session.RequeryFlag = -1;
    if (chkMix->isChecked())
        ShowDocumentSummary();
}

void frmAccountDetails::loadLedger(qint32 AccountID, LedgerFilter &filter, const LedgerConditions &conditions,
                                   LedgerViews views)
{
    // The account record: nature, and the picker follows the shown account.
    Recordset &account = ReopenOnText(QStringLiteral("rssqlAccounts"),
                                      QStringLiteral("Select * From tblAccount Where ID=") + QString::number(AccountID));
    if (account.RecordCount() >= 1) {
        const QSignalBlocker blocker(sltAccount);
        sltAccount->setAccountID(AccountID);
        // The limits come with the nature, so a ledger opened without an
        // account change shows the account's own limit.
        takeAccountSettings(account);
    }
    account.Close();

    flxAccount->setRows(2);
    flxAccount->setFixedRows(1);
    closeIfOpen(QStringLiteral("rssqlvwTransDetail"));

    // Balance brought forward: the period's rows before the from-date.
    Session.BeforeFromDateCondition = conditions.beforeFromDate;
    if (dtpFromDate->IsEmpty()) {
        Session.BalanceBroughtForward = Currency();
    } else {
        const bool leaf = isLeafAccount(AccountID);
        Recordset &remained = OpenOnText(QStringLiteral("rssqlvwTransDetail"),
                                         BalanceBroughtForwardQuery(filter, conditions, leaf, views));
        const QVariant value = remained.Field(QStringLiteral("Remained"));
        Session.BalanceBroughtForward = value.isNull() ? Currency() : Currency::parsePrefix(ValueText(value));
        remained.Close();
    }
    closeIfOpen(QStringLiteral("rssqlvwTransDetail"));
    Session.DateRangeCondition = conditions.dateRange;
    Session.CodeRangeCondition = conditions.codeRange;

    const WaitCursor waitCursor;
    bool leaf = isLeafAccount(AccountID);

    // On a long ledger the period totals are read on another connection
    // while the rows are read; the statement is sent at its place below.
    DtEn &environment = Session.DataEnvironment();
    const QString totalsText = PeriodTotalsQuery(filter, conditions, leaf, views);
    std::unique_ptr<SnapshotAhead> totalsAhead;
    const auto readTotalsAhead = [&] { totalsAhead = environment.ReadAhead(totalsText); };

    // The rows go from the query straight into a grid store, painted and
    // filled as they come. The rows of the last load go first, so that two
    // ledgers are never held at once, and their memory is filled again.
    FlexGridStore previous;
    previous.clearRows(flxAccount->Cols());
    flxAccount->swapRows(previous);
    previous.clearRowsKeepingStorage(previous.colCount());
    const LedgerFillInput input = ledgerFillInput();
    JoinedLedger ledger = readLedgerRows(filter, conditions, leaf, views, input, previous, readTotalsAhead);
    flxAccount->swapRows(ledger.rows);
    if (flxAccount->Rows() <= 1) {
        flxAccount->Clear();
        flxAccount->setRows(1);
    }

    leaf = isLeafAccount(AccountID);
    const QString totalsNow = PeriodTotalsQuery(filter, conditions, leaf, views);
    Recordset &totals = environment.Rs(QStringLiteral("rssqlRemained"));
    bool totalsRead = false;
    if (totalsAhead && totalsNow == totalsText) {
        // A read ahead that failed (its connection could not open, say) is
        // only a lost head start: the statement is read here as ever.
        try {
            totals.Open(totalsNow, *totalsAhead);
            totalsRead = true;
        } catch (const DatabaseError &) {
        }
    }
    totalsAhead.reset();
    if (!totalsRead)
        totals.Open(totalsNow);
    summaryField(QStringLiteral("txtSumDebit"))->setText(totalText(totals, QStringLiteral("SumDebit"), true));
    summaryField(QStringLiteral("txtSumCredit"))->setText(totalText(totals, QStringLiteral("SumCredit"), true));
    totals.Close();

    if (menuItem(QStringLiteral("mnuSortTransactionDate"))->isChecked()) {
        Recordset &upToNow = OpenOnText(QStringLiteral("rssqlRemained"), UpToTodayTotalsQuery(filter, conditions, views));
        summaryField(QStringLiteral("txtUpToNowDebit"))->setText(totalText(upToNow, QStringLiteral("SumDebit"), false));
        summaryField(QStringLiteral("txtUpToNowCredit"))->setText(totalText(upToNow, QStringLiteral("SumCredit"), false));
        upToNow.Close();
    } else {
        for (const char *field : {"txtUpToNowAllCredit", "txtUpToNowCredit", "txtUpToNowAllDebit", "txtUpToNowDebit"})
            summaryField(QLatin1String(field))->clear();
    }

    // The draft-inclusive ledger keeps the column count and columns 29 to 31
    // of start-up, and no copy of the row colours.
    const bool posted = views == LedgerViews::Posted;
    (posted ? ApplyLedgerLayoutAfterQuery : ApplyScratchLayoutAfterQuery)(
        *flxAccount, Session.DocumentNumberMode, filter.sortByDocumentDate, HasPermission(31505));
    // The rows were painted and filled as they were read; a row that could
    // not be filled fails the load here, where the fill of the loaded grid
    // reported it, and the summary fields follow the rows.
    flxAccount->setRedraw(false);
    if (ledger.failure)
        std::rethrow_exception(ledger.failure);
    FillSteps::writeSummaryFields(*this, input, ledger.sums);
    if (ledger.sums.anyRow) {
        Balances.RunningBalance = ledger.sums.runningBalance;
        Balances.UpToNowBalance = ledger.sums.upToNowBalance;
    }
    flxAccount->setRedraw(true);
    if (flxAccount->Rows() > 1)
        showLedgerRow(1);
    else
        cmdEdit->setEnabled(false);
    m_shownAccountId = AccountID;
}

LedgerFillInput frmAccountDetails::ledgerFillInput() const
{
    LedgerFillInput input;
    input.BalanceBroughtForward = Session.BalanceBroughtForward;
    input.AccountNatureID = AccountNatureID;
    input.MaxDebit = MaxDebit;
    input.MaxCredit = MaxCredit;
    input.today = Today();
    input.FromDate = dtpFromDate->IsEmpty() ? QDate() : dtpFromDate->Value();
    return input;
}

JoinedLedger frmAccountDetails::readLedgerRows(const LedgerFilter &filter, const LedgerConditions &conditions, bool leaf,
                                               LedgerViews views, const LedgerFillInput &input, FlexGridStore &previous,
                                               const std::function<void()> &whenLong)
{
    DtEn &environment = Session.DataEnvironment();
    const QString sql = MainLedgerQuery(filter, conditions, leaf, views);
    PartFillSetup setup;
    setup.input = input;
    setup.keepRowColours = views == LedgerViews::Posted;

    // Two readers split the ledger at the middle day of its dates: the date
    // fields, or else the period. Rows on that day go to the second.
    const QDate from = dtpFromDate->IsEmpty() ? Session.PeriodBeginDate : dtpFromDate->Value();
    const QDate to = dtpToDate->IsEmpty() ? Session.PeriodEndDate : dtpToDate->Value();
    QDate split;
    if (LedgerLoadReaders() > 1 && environment.backend().concurrentReaders() > 1)
        split = LedgerSplitDate(from, to);

    // The first part is read on this thread. When it shows the ledger to be
    // long, the second reader starts and the totals are read ahead; a short
    // ledger is read here alone, where more connections would only cost.
    const qint64 longRows = LongLedgerRows();
    std::vector<std::unique_ptr<LedgerPartFill>> parts;
    parts.push_back(std::make_unique<LedgerPartFill>(setup));
    if (longRows <= 0)
        whenLong();
    else
        parts[0]->whenRows(longRows, whenLong);

    // The progress bar follows the first part's dates through its days: the
    // first part ends at the split day (or the last day), and the second part,
    // read alongside, about when it does.
    const QDate lastDay = split.isValid() ? split : to;
    const int days = from.isValid() && lastDay.isValid() ? int(std::clamp<qint64>(from.daysTo(lastDay), 0, 1 << 20)) : 0;
    ProgressPacer progress(days > 0 ? ProgressBar : nullptr, days);
    if (days > 0)
        parts[0]->everyRows(1024, [&](int dateNumber) {
            const QDate day(dateNumber / 10000, dateNumber / 100 % 100, dateNumber % 100);
            progress.rowDone(int(std::clamp<qint64>(from.daysTo(day), 0, days)));
        });
    Recordset &rows = environment.Rs(QStringLiteral("rssqlvwTransDetail"));
    if (split.isValid()) {
        setup.firstPart = false;
        parts.push_back(std::make_unique<LedgerPartFill>(setup));
        // About half of the rows each.
        parts[0]->reuseStorage(previous, (previous.spareBlocks() + 1) / 2, (previous.spareChunks() + 1) / 2);
        parts[1]->reuseStorage(previous, previous.spareBlocks(), previous.spareChunks());
        const LedgerQueryParts texts = MainLedgerQueryParts(filter, conditions, leaf, views, SqlDate(split));
        rows.OpenInto(sql, texts.whole, texts.from, *parts[0], *parts[1], longRows);
    } else {
        parts[0]->reuseStorage(previous, previous.spareBlocks(), previous.spareChunks());
        rows.OpenInto(sql, *parts[0]);
    }
    rows.Close();
    previous.releaseSpares();

    std::vector<LedgerPartFill *> order;
    LedgerPartRows.clear();
    for (const auto &part : parts) {
        order.push_back(part.get());
        LedgerPartRows.push_back(part->rowCount());
    }
    return JoinLedgerParts(order);
}

void frmAccountDetails::FillLedgerGrid()
{
    ::FillLedgerGrid(*flxAccount, ledgerFillInput(), Balances, *this, ProgressBar);
}
