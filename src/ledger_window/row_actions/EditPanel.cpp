// The row edit panel: it follows the grid's current row, and a permitted
// user changes the row's descriptive fields through the stored procedure.

#include "ledger_window/WindowTexts.h"
#include "ledger_window/frmAccountDetails.h"
#include "ledger_window/ledger/LedgerColumns.h"
#include "outside/controls/FlexGrid.h"
#include "outside/controls/VelkoDate.h"
#include "outside/controls/VelkoSelector.h"
#include "outside/controls/comAccountPicker.h"
#include "session/DatabaseError.h"
#include "session/Messages.h"
#include "session/Session.h"
#include "session/ValueText.h"
#include "session/modMain.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QLineEdit>
#include <QPushButton>

using namespace LedgerCol;

namespace {
constexpr qint16 EditingState = 2;
constexpr qint16 ViewingState = 3;
constexpr int EditPermission = 30302;
constexpr int LedgerPermission = 315;
} // namespace

void frmAccountDetails::SetLockedProperty()
{
    if (Session.EditState != EditingState && Session.EditState != ViewingState)
        return;
    const bool editing = Session.EditState == EditingState;
    flxAccount->setEnabled(!editing);
    cmbDocumentType->setEnabled(editing);
    txtAdditionalFormSpec->setReadOnly(!editing);
    dtpTrans->setLocked(!editing);
    mptContract->setEnabled(editing);
    txtDescription->setReadOnly(!editing);
    sltAccount->setEnabled(editing ? false : HasPermission(LedgerPermission));
    mnuSort->setEnabled(!editing);
    menuItem(QStringLiteral("mnuRefresh"))->setEnabled(!editing);
    if (editing)
        cmdEdit->setEnabled(false);
    cmdSave->setEnabled(editing);
}

bool frmAccountDetails::CurrentRowIsEditable() const
{
    const int row = flxAccount->Row();
    if (row < 1 || row >= flxAccount->Rows() || flxAccount->TextMatrix(row, DocumentID).isEmpty())
        return false;
    // A finalized row is never editable; an unknown state neither.
    const QString finalized = flxAccount->TextMatrix(row, IsFinalized).trimmed();
    return !finalized.isEmpty() && LeadingNumber(finalized) == 0;
}

void frmAccountDetails::flxAccount_SelChange()
{
    // While editing, the panel holds what the user typed for the edited row.
    if (IsEditing())
        return;
    const int row = flxAccount->Row();
    if (row <= 0 || flxAccount->TextMatrix(row, DocumentID).isEmpty())
        return;
    cmbDocumentType->setCurrentIndex(cmbDocumentType->findText(flxAccount->TextMatrix(row, DocumentType)));
    txtAdditionalFormSpec->setText(flxAccount->TextMatrix(row, AdditionalFormSpec));
    dtpTrans->setValue(ValueDate(flxAccount->TextMatrix(row, TransactionDate)));
    if (flxAccount->TextMatrix(row, AccContract).isEmpty())
        mptContract->Clear();
    else
        mptContract->setSelectedID(qint32(LeadingNumber(flxAccount->TextMatrix(row, ContractID))));
    txtDescription->setText(flxAccount->TextMatrix(row, Description));
    txtFormType->setText(flxAccount->TextMatrix(row, FormType));
    txtFormID->setText(flxAccount->TextMatrix(row, FormID));
    cmdEdit->setEnabled(CurrentRowIsEditable());
}

bool frmAccountDetails::IsEditing() const
{
    return Session.EditState == EditingState && m_editedRow.has_value();
}

void frmAccountDetails::cmdEdit_Click()
{
    if (!CurrentRowIsEditable())
        return;
    if (!HasPermission(EditPermission)) {
        ShowMessage(ErrorTitle, EditRefusedMessage);
        return;
    }
    // The edit belongs to this stored row, whatever the grid does meanwhile.
    const int row = flxAccount->Row();
    m_editedRow = EditedRow {qint32(LeadingNumber(flxAccount->TextMatrix(row, DocumentID))),
                             qint32(LeadingNumber(flxAccount->TextMatrix(row, RowNumber)))};
    Session.EditState = EditingState;
    SetLockedProperty();
    lblMessage->setText(EditingCaption);
    cmbDocumentType->setFocus();
}

void frmAccountDetails::cmdSave_Click()
{
    if (!IsEditing())
        return;
    const qint32 documentId = m_editedRow->documentId;
    const qint32 rowNumber = m_editedRow->rowNumber;
    // Without a document type there is nothing valid to store: say so and
    // keep the panel open with what the user typed.
    if (cmbDocumentType->currentIndex() < 0) {
        ShowMessage(ErrorTitle, NoDocumentTypeMessage);
        return;
    }
    // A row without a due date could not be read back into any ledger.
    const QDate transactionDate = dtpTrans->Value();
    if (dtpTrans->IsEmpty() || !transactionDate.isValid()) {
        ShowMessage(RowActionTitle, NoDueDateMessage);
        dtpTrans->setFocus();
        return;
    }
    QVariantList args {documentId,
                       rowNumber,
                       cmbDocumentType->currentData().toInt(),
                       txtAdditionalFormSpec->text(),
                       QVariant(transactionDate.startOfDay()),
                       dtpTrans->JalaliText(),
                       mptContract->IsEmpty() ? 0 : mptContract->SelectedID(),
                       txtDescription->text()};
    try {
        RunCommand(QStringLiteral("spAccountUpdateDocumentDetail"), args);
    } catch (const DatabaseError &error) {
        ShowMessage(ErrorTitle, SaveFailedMessage + QLatin1Char('\n') + error.message());
        return;
    }
    // The row was deleted or changed behind the window: nothing was stored,
    // so the edit stays open with what the user typed.
    if (Session.DataEnvironment().LastCommandRowsAffected() == 0) {
        ShowMessage(RowActionTitle, RowNotChangedMessage);
        return;
    }
    m_editedRow.reset();
    Session.EditState = ViewingState;
    lblMessage->setText(QString());
    SetLockedProperty();

    // Re-read the ledger so the saved row shows as stored, and stay on it.
    Session.RequeryFlag = 1;
    ReturnAccounts(sltAccount->AccountID());
    for (int r = 1; r < flxAccount->Rows(); ++r) {
        if (qint32(LeadingNumber(flxAccount->TextMatrix(r, DocumentID))) == documentId
            && qint32(LeadingNumber(flxAccount->TextMatrix(r, RowNumber))) == rowNumber) {
            showLedgerRow(r);
            break;
        }
    }
}

void frmAccountDetails::leaveEditing()
{
    m_editedRow.reset();
    Session.EditState = ViewingState;
    SetLockedProperty();
    cmdEdit->setEnabled(CurrentRowIsEditable());
    cmdSave->setEnabled(false);
    lblMessage->setText(QString());
}

bool frmAccountDetails::ConfirmLeaveEditing()
{
    if (!IsEditing())
        return true;
    if (AskQuestion(CancelEditTitle, CancelEditQuestion) != AnswerYes)
        return false;
    leaveEditing();
    return true;
}

void frmAccountDetails::cmdEsc_Click()
{
    if (Session.EditState != EditingState) {
        close(); // while viewing the button closes the window
        return;
    }
    if (AskQuestion(CancelEditTitle, CancelEditQuestion) != AnswerYes)
        return;
    leaveEditing();
}

void frmAccountDetails::Timer2_Timer()
{
    // The same rule as the row change, so a finalized row never turns editable.
    const bool editable = Session.EditState == ViewingState && CurrentRowIsEditable();
    if (cmdEdit->isEnabled() != editable)
        cmdEdit->setEnabled(editable);
}
