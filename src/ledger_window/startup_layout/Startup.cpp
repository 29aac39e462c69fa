// Start-up of the ledger window: outside controls get the connection and the
// user, the lists that do not depend on the account are filled, the grid
// headers are set and three system settings are read.

#include "ledger_window/frmAccountDetails.h"
#include "ledger_window/ledger/LedgerColumns.h"
#include "ledger_window/startup_layout/Startup.h"
#include "ledger_window/startup_layout/WindowLayout.h"
#include "outside/components/DocumentComponent.h"
#include "outside/controls/FlexGrid.h"
#include "outside/controls/VelkoDate.h"
#include "outside/controls/VelkoSelector.h"
#include "outside/controls/comAccountPicker.h"
#include "session/Clock.h"
#include "session/Session.h"
#include "session/modMain.h"

#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSysInfo>
#include <stdexcept>

QString KeyboardLayoutCodeFor(int majorVersion, const QString &current)
{
    if (majorVersion == 4)
        return QStringLiteral("00000401");
    if (majorVersion >= 5)
        return QStringLiteral("00000429");
    return current;
}

qint16 ComponentId(qint32 id, const char *name)
{
    if (id < -32768 || id > 32767)
        throw std::out_of_range(QStringLiteral("مقدار %1 براي %2 خارج از محدوده -32768 تا 32767 است.")
                                    .arg(id)
                                    .arg(QLatin1String(name))
                                    .toStdString());
    return qint16(id);
}

int PlatformMajorVersion()
{
    return QSysInfo::kernelVersion().section(QLatin1Char('.'), 0, 0).toInt();
}

void frmAccountDetails::FormLoad()
{
    // The platform has no per-process keyboard layouts: the code is kept for
    // the filter fields, the activation itself is skipped.
    Session.KeyboardLayoutCode = KeyboardLayoutCodeFor(PlatformMajorVersion(), Session.KeyboardLayoutCode);

    sltAccount->setConnection(Session.ConnectionText);
    sltAccount->setPositionID(Session.PositionID);
    SearchStartRow = 1;
    // The document components take the user as 16-bit values and the
    // connection as the data environment holds it.
    const QString connection = Session.DataEnvironment().ConnectionString();
    for (DocumentComponent *document : {praskAccTrans, comAccountDocClass})
        document->HandOver(ComponentId(Session.UserID, "UserID"), ComponentId(Session.PositionID, "PositionID"),
                           ComponentId(Session.EmployeeID, "EmployeeID"), connection);
    Session.EditState = 3;
    dtpDate->setValue(Today());
    frmRemainedtoday->hide();
    SetLockedProperty();
    flxAccount->resize(flxAccount->width(), flxAccount->height() + TwipsToPixels(350));
    {
        const QSignalBlocker fromBlocker(dtpFromDate);
        const QSignalBlocker toBlocker(dtpToDate);
        dtpFromDate->Clear();
        dtpToDate->Clear();
    }
    lblMessage->setText(QString());

    mptContract->setConnection(Session.ConnectionText);
    mptContract->setViewMajor(QStringLiteral("vwAccountContractProjectMajor"));
    mptContract->setViewMinor(QStringLiteral("vwAccountContractProjectMinor"));
    mptPosition->setConnection(Session.ConnectionText);
    mptPosition->setViewMajor(QStringLiteral("vwPositionMajor"));
    mptPosition->setViewMinor(QStringLiteral("vwPositionMinor"));
    for (int n = 1; n <= 4; ++n) {
        sltClass[n]->setConnection(Session.ConnectionText);
        sltObject[n]->setConnection(Session.ConnectionText);
    }
    for (int n = 1; n <= 4; ++n) {
        sltClass[n]->setViewMajor(QStringLiteral("vwAccountClass"));
        sltClass[n]->setViewMinor(QStringLiteral("vwAccountClassMinor"));
    }

    sltBranch->setConnection(Session.ConnectionText);
    sltBranch->setCaption(QStringLiteral("شعبه"));
    sltBranch->setViewMajor(QStringLiteral("vwAccountBranchMajor"));
    sltBranch->setViewMinor(QStringLiteral("vwAccountBranchMinor"));
    sltBranch->setSelectedID(Session.BranchID);
    if (sltBranch->SelectedID() > 0)
        sltBranch->setEnabled(false); // the user's own branch is fixed

    Recordset &basePath = ReopenOnText(QStringLiteral("rssqlVelkoBasePath"),
                                       QStringLiteral("Select * From vwVelkoBasePath Order By ID "));
    if (basePath.RecordCount() > 0)
        Session.FirstBasePath = basePath.FieldText(QStringLiteral("BasePath"));
    basePath.Close();

    Recordset &parameter = ReopenOnText(QStringLiteral("rssqlVelkoSP"),
                                        QStringLiteral("Select Value From tblVelkosystemParameters Where ID = 306"));
    Session.DocumentNumberMode = parameter.RecordCount() > 0
                                     ? qint16(LeadingNumber(parameter.FieldText(QStringLiteral("Value"))))
                                     : qint16(1);
    parameter.Close();

    Recordset &objects = ReopenOnText(QStringLiteral("rssqlVelkoSP"),
                                      QStringLiteral("Select * From tblVelkoSystemParameters Where ID = 311 and Value=1"));
    Session.ObjectsEnabled = objects.RecordCount() > 0;
    objects.Close();
    gbObjects->setEnabled(Session.ObjectsEnabled);

    Recordset &types = ReopenOnText(QStringLiteral("rssqlAccDocumentTypeL"),
                                    QStringLiteral("Select * from tblAccountDocumentType"));
    if (types.RecordCount() > 0) {
        for (types.MoveFirst(); !types.Eof(); types.MoveNext())
            cmbDocumentType->addItem(types.FieldText(QStringLiteral("Name")), types.Field(QStringLiteral("ID")).toInt());
    }
    types.Close();
    cmbDocumentType->setCurrentIndex(-1);

    SetupLedgerGridAtStartup(*flxAccount, Session.DocumentNumberMode);
    BuildPeriodMenu();
    mnuPeriod->setEnabled(HasPermission(30001));
    // Nothing to edit until a data row is current.
    cmdEdit->setEnabled(false);
    // The window opens with the account field ready for a code, where the
    // keyboard flow starts.
    sltAccount->setFocus(Qt::OtherFocusReason);

    RecordedHeight = PixelsToTwips(height());
    RecordedWidth = PixelsToTwips(width());
}
