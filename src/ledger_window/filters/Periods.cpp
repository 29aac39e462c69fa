// Periods, dates and document-number ranges: the period menu, the date and
// number fields kept consistent with one another, and the rebuild.

#include "ledger_window/WindowTexts.h"
#include "ledger_window/frmAccountDetails.h"
#include "ledger_window/ledger/LedgerQuery.h"
#include "outside/controls/FlexGrid.h"
#include "outside/controls/VelkoDate.h"
#include "outside/controls/VelkoSelector.h"
#include "outside/controls/comAccountPicker.h"
#include "session/Session.h"
#include "session/ValueText.h"
#include "session/modMain.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QSignalBlocker>
#include <cmath>

namespace {

const QString kPeriodById = QStringLiteral("Select * From tblAccountPeriod Where ID =");
const QString kActivePeriodById = QStringLiteral("Select * From tblAccountPeriod Where IsActive=1 and ID =");

// The related-forms statement of the rebuild, from its designed pieces.
QString relatedFormsUpdate()
{
    const QString sumOfReference = QStringLiteral(
        "                    (Select sum(isnull(dd.DebitValue,0)) from tblAccountDocumentDetail dd where dd.DocumentID=ReferenceFormID) ");
    return QStringLiteral("Update tblVelkoRelatedForms ")
           + QStringLiteral("Set AssignedValue = CASE WHEN RelatedFormTypeID=901 THEN ") + sumOfReference
           + QStringLiteral("                   WHEN RelatedFormTypeID=201 THEN ") + sumOfReference
           + QStringLiteral("                Else ") + QStringLiteral("                    AssignedValue ")
           + QStringLiteral("                End ") + QStringLiteral(" Where AssignedValue Is Null ")
           + QStringLiteral(" and ReferenceFormTypeID=303 and RelatedFormTypeID in (901,201)");
}

// A document number as a 32-bit integer, halves to the even neighbour.
QString roundedDocumentNumber(const QString &typed)
{
    const double value = std::nearbyint(LeadingNumber(WithLatinDigits(typed).trimmed()));
    return QString::number(qint32(qBound(-2147483648.0, value, 2147483647.0)));
}

// Sets a date field from the program without running its change handler.
void setDateQuietly(VelkoDate *field, const QDate &date)
{
    const QSignalBlocker blocker(field);
    if (date.isValid())
        field->setValue(date);
    else
        field->Clear();
}

} // namespace

void frmAccountDetails::periodRefresh(const QString &periodQuery)
{
    if (chkCombinPeriod->isChecked()) {
        Session.PeriodCondition.clear();
        return;
    }
    if (!Session.PeriodCondition.isEmpty())
        return;
    Recordset &period = ReopenOnText(QStringLiteral("rssqlAccPeriodSpec"), periodQuery + QString::number(Session.PeriodID));
    if (!period.Eof()) {
        Session.PeriodBeginDate = ValueDate(period.Field(QStringLiteral("BeginDate")));
        Session.PeriodEndDate = ValueDate(period.Field(QStringLiteral("EndDate")));
    }
    period.Close();
    Session.PeriodCondition = BuildPeriodCondition(Session.PeriodBeginDate, Session.PeriodEndDate);
}

void frmAccountDetails::BuildPeriodMenu()
{
    Recordset &periods = ReopenOnText(QStringLiteral("rssqlAccPeriodSpec"),
                                      QStringLiteral("Select * From tblAccountPeriod  Order By BeginDate desc"));
    Session.PeriodCount = qint16(periods.RecordCount());
    int i = 0;
    if (Session.PeriodCount > 0) {
        for (; !periods.Eof(); periods.MoveNext(), ++i) {
            if (i >= mnuPeriodSpec.size()) {
                QAction *item = mnuPeriod->addAction(QString());
                item->setCheckable(true);
                mnuPeriodSpec << item;
            }
            QAction *item = mnuPeriodSpec.at(i);
            const QString name = periods.FieldText(QStringLiteral("Name"));
            const int id = periods.Field(QStringLiteral("ID")).toInt();
            item->setText(name);
            item->setData(id); // the item carries its period ID
            item->setChecked(id == Session.PeriodID);
            if (id == Session.PeriodID)
                setWindowTitle(PeriodTitlePrefix + QStringLiteral("  ") + name);
        }
    }
    periods.Close();
    // Items left over from an earlier, longer list go.
    while (mnuPeriodSpec.size() > qMax(i, 1))
        delete mnuPeriodSpec.takeLast();
    for (int k = 0; k < mnuPeriodSpec.size(); ++k) {
        QAction *item = mnuPeriodSpec.at(k);
        disconnect(item, &QAction::triggered, this, nullptr);
        connect(item, &QAction::triggered, this, [this, k] { guarded([this, k] { mnuPeriodSpec_Click(k); }); });
    }

    Session.PeriodCondition = BuildPeriodCondition(Session.PeriodBeginDate, Session.PeriodEndDate);
    setDateQuietly(dtpFromDate, Session.PeriodBeginDate);
    setDateQuietly(dtpToDate, Session.PeriodEndDate);
}

void frmAccountDetails::mnuPeriodSpec_Click(int index)
{
    if (!ConfirmLeaveEditing())
        return;
    QAction *chosen = mnuPeriodSpec.value(index);
    if (!chosen)
        return;
    const int periodId = chosen->data().toInt();
    const bool changed = periodId != Session.PeriodID;
    Session.PeriodID = qint16(periodId);
    for (int k = 0; k < Session.PeriodCount && k < mnuPeriodSpec.size(); ++k)
        mnuPeriodSpec.at(k)->setChecked(false);
    chosen->setChecked(true);
    setWindowTitle(PeriodTitlePrefix + QStringLiteral(" ") + chosen->text());

    Recordset &period = ReopenOnText(QStringLiteral("rssqlAccPeriodSpec"), kPeriodById + QString::number(Session.PeriodID));
    if (!period.Eof()) {
        Session.PeriodBeginDate = ValueDate(period.Field(QStringLiteral("BeginDate")));
        Session.PeriodEndDate = ValueDate(period.Field(QStringLiteral("EndDate")));
    }
    period.Close();
    // Choosing the current period again keeps the dates the user typed.
    if (changed) {
        setDateQuietly(dtpFromDate, Session.PeriodBeginDate);
        setDateQuietly(dtpToDate, Session.PeriodEndDate);
    }
    Session.PeriodCondition = BuildPeriodCondition(Session.PeriodBeginDate, Session.PeriodEndDate);
    if (!sltAccount->IsEmpty())
        applyAccountChange(false);
}

// Dates in two Jalali years switch the multi-period view on; it is never
// switched off automatically.
void frmAccountDetails::detectMultiplePeriods()
{
    const qint16 toYear = dtpToDate->JalaliYear();
    const qint16 fromYear = dtpFromDate->JalaliYear();
    if (fromYear != toYear && fromYear != -1 && toYear != -1)
        chkCombinPeriod->setChecked(true);
}

void frmAccountDetails::dtpFromDate_Change()
{
    if (!ConfirmLeaveEditing())
        return;
    detectMultiplePeriods();
    periodRefresh(kPeriodById);
    Recordset &code = ReopenOnText(QStringLiteral("rssqlAccounts"),
                                   QStringLiteral("Select Min(Code) as MinCode From vwAccountNonPreDocument Where DocumentDate is null or (DocumentDate >='")
                                       + SqlDate(dtpFromDate->Value()) + QStringLiteral("'") + Session.PeriodCondition
                                       + QStringLiteral(")"));
    txtCodeFrom->setText(code.FieldText(QStringLiteral("MinCode")));
    code.Close();
    applyAccountChange(false);
}

void frmAccountDetails::dtpToDate_Change()
{
    if (!ConfirmLeaveEditing())
        return;
    detectMultiplePeriods();
    periodRefresh(kPeriodById);
    Recordset &code = ReopenOnText(QStringLiteral("rssqlAccounts"),
                                   QStringLiteral("Select Max(Code) as MaxCode From vwAccountNonPreDocument Where DocumentDate <='")
                                       + SqlDate(dtpToDate->Value()) + QStringLiteral("'") + Session.PeriodCondition);
    txtCodeTo->setText(code.FieldText(QStringLiteral("MaxCode")));
    code.Close();
    applyAccountChange(false);
}

void frmAccountDetails::txtCodeFrom_LostFocus()
{
    Recordset &date = ReopenOnText(QStringLiteral("rssqlAccounts"),
                                   QStringLiteral("Select min(DocumentDate) As MinDocumentDate From vwAccountNonPreDocument Where Code >=")
                                       + roundedDocumentNumber(txtCodeFrom->text()) + Session.PeriodCondition);
    setDateQuietly(dtpFromDate, ValueDate(date.Field(QStringLiteral("MinDocumentDate"))));
    date.Close();
}

void frmAccountDetails::txtCodeTo_LostFocus()
{
    Recordset &date = ReopenOnText(QStringLiteral("rssqlAccounts"),
                                   QStringLiteral("Select max(DocumentDate) As MaxDocumentDate From vwAccountNonPreDocument Where Code <=")
                                       + roundedDocumentNumber(txtCodeTo->text()) + Session.PeriodCondition);
    setDateQuietly(dtpToDate, ValueDate(date.Field(QStringLiteral("MaxDocumentDate"))));
    date.Close();
}

void frmAccountDetails::chkCombinPeriod_Click()
{
    if (!ConfirmLeaveEditing())
        return;
    dtpFromDate_Change();
}

void frmAccountDetails::cmdReset_Click()
{
    if (!ConfirmLeaveEditing())
        return;
    Recordset &update = ReopenOnText(QStringLiteral("rssqlAccPeriodSpec"), relatedFormsUpdate());
    update.Close();
    if (sltAccount->IsEmpty() && sltClass[1]->IsEmpty() && sltObject[1]->IsEmpty())
        return;
    IsAssignmentAccount = CheckAssignmentAccount(sltAccount->AccountID(), sltClass[1]->SelectedID(), sltObject[1]->SelectedID());
    Session.RequeryFlag = 1;
    for (const char *field : {"txtSumDebit", "txtSumCredit", "txtSumAllDebit", "txtSumAllCredit", "txtRemMaxDebit_Credit",
                              "txtMaxDebit_Credit", "txtSumAssignedCredit", "txtSumAssignedDebit",
                              "txtSumNotAssignedCredit", "txtSumNotAssignedDebit"})
        summaryField(QLatin1String(field))->clear();
    periodRefresh(kActivePeriodById);

    // Only what is missing is filled: numbers from dates, dates from numbers.
    if (txtCodeFrom->text().isEmpty() && txtCodeTo->text().isEmpty()) {
        const auto numberFromDate = [](VelkoDate *date, const QString &query, QLineEdit *number) {
            if (date->IsEmpty())
                return;
            Recordset &code = ReopenOnText(QStringLiteral("rssqlAccounts"),
                                           query + SqlDate(date->Value()) + QStringLiteral("'") + Session.PeriodCondition);
            if (code.RecordCount() >= 1 && !code.IsNull(QStringLiteral("code")))
                number->setText(code.FieldText(QStringLiteral("code")));
            code.Close();
        };
        numberFromDate(dtpFromDate, QStringLiteral("Select Min(code) as code from vwAccountNonPreDocument where DocumentDate >='"), txtCodeFrom);
        numberFromDate(dtpToDate, QStringLiteral("Select Max(code) as code from vwAccountNonPreDocument where DocumentDate <='"), txtCodeTo);
    }
    if (dtpFromDate->IsEmpty() && dtpToDate->IsEmpty()) {
        const auto dateFromNumber = [](QLineEdit *number, const QString &query, VelkoDate *date) {
            if (number->text().isEmpty())
                return;
            Recordset &found = ReopenOnText(QStringLiteral("rssqlVelkoTemplate"),
                                            query + DocumentNumberText(number->text()) + Session.PeriodCondition);
            if (found.RecordCount() >= 1 && !found.IsNull(QStringLiteral("Date")))
                setDateQuietly(date, ValueDate(found.Field(QStringLiteral("Date"))));
            found.Close();
        };
        dateFromNumber(txtCodeFrom, QStringLiteral("Select Min(DocumentDate) as Date from vwAccountNonPreDocument where code >="), dtpFromDate);
        dateFromNumber(txtCodeTo, QStringLiteral("Select Max(DocumentDate) as Date from vwAccountNonPreDocument where code <="), dtpToDate);
    }
    applyAccountChange(false);
    flxAccount->setFocus();
}

bool frmAccountDetails::CheckAssignmentAccount(qint32 AccountID, qint32 ClassID, qint32 ObjectID)
{
    Recordset &account = ReopenOnText(
        QStringLiteral("rssqlVelkoBasePath"),
        QStringLiteral("Select * from tblAccount Where ID=") + QString::number(AccountID)
            + QStringLiteral(" and ID in (Select x.ID from dbo.fnVelkoStringToTable((select a.Value from tblVelkoSystemParameters a where a.ID=4)) x)"));
    const bool result = account.RecordCount() > 0 && ObjectID > 0 && ClassID == 7;
    account.Close();
    return result;
}
