// Account selection and the analytic class/object filters.

#include "ledger_window/frmAccountDetails.h"
#include "outside/controls/VelkoSelector.h"
#include "outside/controls/comAccountPicker.h"
#include "session/Session.h"
#include "session/ValueText.h"

#include <QAction>
#include <QSignalBlocker>

void frmAccountDetails::resetViewConditions()
{
    menuItem(QStringLiteral("mnuwithOutQuery"))->setChecked(true);
    menuItem(QStringLiteral("mnuWithNotFormBalance"))->setChecked(false);
    menuItem(QStringLiteral("mnuWithFormBalance"))->setChecked(false);
    Session.RowCondition.clear();
}

void frmAccountDetails::takeAccountSettings(const Recordset &account)
{
    AccountNatureID = qint16(account.Field(QStringLiteral("AccountNatureID")).toInt());
    MaxDebit = Currency::parsePrefix(account.FieldText(QStringLiteral("MaxDebit")));
    MaxCredit = Currency::parsePrefix(account.FieldText(QStringLiteral("MaxCredit")));
}

void frmAccountDetails::sltAccount_Change()
{
    applyAccountChange(true);
}

// The account change; only a change of the picker itself moves the focus
// on to the first class, so a date or period change leaves it where it is.
void frmAccountDetails::applyAccountChange(bool moveFocus)
{
    const qint32 accountId = sltAccount->AccountID();
    // Rows and totals of another account never stay under this one's name:
    // without a re-read the grid is emptied until the rebuild.
    if (Session.RequeryFlag != 1 && accountId != m_shownAccountId)
        ClearLedger();
    Recordset &account = ReopenOnText(QStringLiteral("rssqlAccounts"),
                                      QStringLiteral("Select * From tblAccount Where ID=") + QString::number(accountId));
    if (account.RecordCount() >= 1) {
        resetViewConditions();
        takeAccountSettings(account);
        account.Close();
        // Cleared quietly: the class change runs only for the classes filled
        // below, so an object chosen under an unchanged class view survives.
        for (int n = 1; n <= 4; ++n) {
            const QSignalBlocker blocker(sltClass[n]);
            sltClass[n]->Clear();
        }

        // The account's related classes fill the class filters in order.
        Recordset &classes = OpenOnText(QStringLiteral("rssqlAccounts"),
                                        QStringLiteral("Select ClassID from tblAccountRelatedClasses Where AccountID = ")
                                            + QString::number(accountId) + QStringLiteral(" Order By Sequence"));
        if (classes.RecordCount() != 0) {
            for (classes.MoveFirst(); !classes.Eof(); classes.MoveNext()) {
                const int position = classes.AbsolutePosition();
                if (position > 4)
                    continue;
                {
                    const QSignalBlocker blocker(sltClass[position]);
                    sltClass[position]->setSelectedID(classes.Field(QStringLiteral("ClassID")).toInt());
                }
                sltClass_Change(position);
            }
        }
        classes.Close();
        ReturnAccounts(accountId);
        if (moveFocus && accountId >= 1 && !sltClass[1]->IsEmpty())
            sltClass[1]->setFocus();
    } else {
        account.Close();
        resetViewConditions();
        ReturnAccounts(accountId);
        if (moveFocus && accountId > 0 && !sltClass[1]->IsEmpty())
            sltClass[1]->setFocus();
    }
    QVariantList args {accountId, AccountTitle};
    RunCommand(QStringLiteral("spAccountGetCode_Title"), args);
    AccountTitle = args.at(1).toString();
}

void frmAccountDetails::sltClass_Change(int pair)
{
    VelkoSelector *classSelector = sltClass[pair];
    VelkoSelector *objectSelector = sltObject[pair];
    const QString viewBefore = objectSelector->ViewMajor();
    if (classSelector->IsEmpty()) {
        objectSelector->Clear();
        objectSelector->setEnabled(false);
    } else {
        objectSelector->setEnabled(true);
        Recordset &klass = ReopenOnText(QStringLiteral("rssqlVelkoBasePath"),
                                        QStringLiteral("Select * from tblAccountClass where ID=")
                                            + QString::number(classSelector->SelectedID()));
        if (klass.RecordCount() != 0) {
            objectSelector->setViewMajor(klass.FieldText(QStringLiteral("ViewMajor")));
            objectSelector->setViewMinor(klass.FieldText(QStringLiteral("ViewMinor")));
            objectSelector->setCaption(klass.FieldText(QStringLiteral("Name")));
        } else {
            objectSelector->Clear();
            objectSelector->setEnabled(false);
        }
        klass.Close();
    }
    // Another class listed from the same view keeps the chosen object.
    if (objectSelector->ViewMajor() != viewBefore)
        objectSelector->Clear();
}
