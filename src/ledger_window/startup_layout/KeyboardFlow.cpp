#include "ledger_window/startup_layout/KeyboardFlow.h"

#include "ledger_window/frmAccountDetails.h"

void SetUpKeyboardFlow(frmAccountDetails &window)
{
    // Keyboard order: the filters from the account down, the grid, the edit
    // panel, then the command buttons.
    QWidget *previous = nullptr;
    for (const char *name : {"sltAccount", "sltBranch", "chkMix", "dtpFromDate", "dtpToDate", "txtCodeFrom", "txtCodeTo",
                             "chkCombinPeriod", "chkiOpening", "sltClass1", "sltObject1", "sltClass2", "sltObject2",
                             "sltClass3", "sltObject3", "sltClass4", "sltObject4", "flxAccount", "cmbDocumentType",
                             "txtAdditionalFormSpec", "dtpTrans", "mptContract", "txtDescription", "cmdFormID",
                             "mptPosition", "cmdEdit", "cmdSave", "cmdEsc", "cmdReset", "cmdFunc", "cmdTools", "cmdPeriod"}) {
        QWidget *current = window.Controls.value(QLatin1String(name));
        if (previous)
            QWidget::setTabOrder(previous, current);
        previous = current;
    }
}
