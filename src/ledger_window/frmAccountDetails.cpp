#include "ledger_window/frmAccountDetails.h"

#include "ledger_window/WindowTexts.h"
#include "ledger_window/ledger/LedgerColumns.h"
#include "ledger_window/startup_layout/KeyboardFlow.h"
#include "ledger_window/startup_layout/WindowLayout.h"
#include "outside/components/DocumentComponent.h"
#include "outside/controls/FlexGrid.h"
#include "outside/controls/OleColor.h"
#include "outside/controls/VelkoDate.h"
#include "outside/controls/VelkoSelector.h"
#include "outside/controls/comAccountPicker.h"
#include "session/DatabaseError.h"
#include "session/Messages.h"
#include "session/Session.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

namespace {

// The focus-loss notification of the two document-number fields.
class FocusLossFilter : public QObject
{
public:
    FocusLossFilter(QObject *parent, std::function<void()> onFocusOut)
        : QObject(parent), m_onFocusOut(std::move(onFocusOut)) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // Switching to another window or opening a menu does not leave the
        // field, and tabbing through a number the user did not type looks
        // nothing up (an empty number would clear the date just entered).
        if (event->type() == QEvent::FocusOut) {
            const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
            auto *field = qobject_cast<QLineEdit *>(watched);
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && field && field->isModified()) {
                field->setModified(false);
                m_onFocusOut();
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_onFocusOut;
};

} // namespace

frmAccountDetails::frmAccountDetails(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setLayoutDirection(Qt::RightToLeft);
    setWindowTitle(LedgerWindowTitle);
    resize(TwipsToPixels(DesignedWindowWidth), TwipsToPixels(DesignedWindowHeight));
    createControls();
    createMenus();
    connectHandlers();
}

frmAccountDetails::~frmAccountDetails()
{
    // Fields lose their focus while they are destroyed, and may report what
    // was typed into them; nothing of that may reach this half-destroyed window.
    qDeleteAll(m_focusWatchers);
    for (QWidget *control : std::as_const(Controls))
        control->disconnect(this);
}

void frmAccountDetails::createControls()
{
    for (const ControlPlacement &placement : LedgerWindowLayout()) {
        QWidget *container = *placement.container ? Controls.value(QLatin1String(placement.container)) : this;
        QWidget *control = nullptr;
        switch (placement.kind) {
        case ControlKind::Frame: {
            auto *frame = new QFrame(container);
            frame->setFrameShape(QFrame::StyledPanel);
            control = frame;
            break;
        }
        case ControlKind::GroupBox:
            control = new QGroupBox(placement.caption, container);
            break;
        case ControlKind::Label:
            control = new QLabel(placement.caption, container);
            break;
        case ControlKind::FlatText: {
            auto *text = new QLineEdit(placement.caption, container);
            text->setFrame(true);
            control = text;
            break;
        }
        case ControlKind::Check:
            control = new QCheckBox(placement.caption, container);
            break;
        case ControlKind::Button:
            control = new QPushButton(placement.caption, container);
            break;
        case ControlKind::Combo:
            control = new QComboBox(container);
            break;
        case ControlKind::Selector:
            control = new VelkoSelector(container);
            break;
        case ControlKind::Date:
            control = new VelkoDate(container);
            break;
        case ControlKind::AccountPicker:
            control = new comAccountPicker(container);
            break;
        case ControlKind::Grid:
            control = new FlexGrid(container);
            break;
        case ControlKind::Progress:
            control = new QProgressBar(container);
            break;
        }
        const QString name = QLatin1String(placement.name);
        control->setObjectName(name);
        control->setGeometry(TwipsToPixels(placement.left), TwipsToPixels(placement.top),
                             TwipsToPixels(placement.width), TwipsToPixels(placement.height));
        Controls.insert(name, control);
    }

    auto find = [this](const char *name) { return Controls.value(QLatin1String(name)); };
    sltAccount = qobject_cast<comAccountPicker *>(find("sltAccount"));
    gbObjects = qobject_cast<QGroupBox *>(find("gbObjects"));
    for (int n = 1; n <= 4; ++n) {
        sltClass[n] = qobject_cast<VelkoSelector *>(Controls.value(QStringLiteral("sltClass%1").arg(n)));
        sltObject[n] = qobject_cast<VelkoSelector *>(Controls.value(QStringLiteral("sltObject%1").arg(n)));
        lblObject[n] = qobject_cast<QLabel *>(Controls.value(QStringLiteral("lblObject%1").arg(n)));
    }
    sltBranch = qobject_cast<VelkoSelector *>(find("sltBranch"));
    mptContract = qobject_cast<VelkoSelector *>(find("mptContract"));
    mptPosition = qobject_cast<VelkoSelector *>(find("mptPosition"));
    chkiOpening = qobject_cast<QCheckBox *>(find("chkiOpening"));
    chkCombinPeriod = qobject_cast<QCheckBox *>(find("chkCombinPeriod"));
    chkMix = qobject_cast<QCheckBox *>(find("chkMix"));
    dtpFromDate = qobject_cast<VelkoDate *>(find("dtpFromDate"));
    dtpToDate = qobject_cast<VelkoDate *>(find("dtpToDate"));
    dtpTrans = qobject_cast<VelkoDate *>(find("dtpTrans"));
    dtpDate = qobject_cast<VelkoDate *>(find("dtpDate"));
    dtpCreateDate = qobject_cast<VelkoDate *>(find("dtpCreateDate"));
    txtCodeFrom = qobject_cast<QLineEdit *>(find("txtCodeFrom"));
    txtCodeTo = qobject_cast<QLineEdit *>(find("txtCodeTo"));
    Frm11 = qobject_cast<QFrame *>(find("Frm11"));
    cmdPeriod = qobject_cast<QPushButton *>(find("cmdPeriod"));
    cmdTools = qobject_cast<QPushButton *>(find("cmdTools"));
    cmdFunc = qobject_cast<QPushButton *>(find("cmdFunc"));
    cmdReset = qobject_cast<QPushButton *>(find("cmdReset"));
    cmdEsc = qobject_cast<QPushButton *>(find("cmdEsc"));
    cmdSave = qobject_cast<QPushButton *>(find("cmdSave"));
    cmdEdit = qobject_cast<QPushButton *>(find("cmdEdit"));
    flxAccount = qobject_cast<FlexGrid *>(find("flxAccount"));
    cmbDocumentType = qobject_cast<QComboBox *>(find("cmbDocumentType"));
    txtAdditionalFormSpec = qobject_cast<QLineEdit *>(find("txtAdditionalFormSpec"));
    txtDescription = qobject_cast<QLineEdit *>(find("txtDescription"));
    txtFormType = qobject_cast<QLineEdit *>(find("txtFormType"));
    txtFormID = qobject_cast<QLineEdit *>(find("txtFormID"));
    cmdFormID = qobject_cast<QPushButton *>(find("cmdFormID"));
    lblMessage = qobject_cast<QLabel *>(find("lblMessage"));
    frmRemained = qobject_cast<QFrame *>(find("frmRemained"));
    frmRemainedtoday = qobject_cast<QFrame *>(find("frmRemainedtoday"));
    Frm7 = qobject_cast<QFrame *>(find("Frm7"));
    ProgressBar = qobject_cast<QProgressBar *>(find("ProgressBar"));
    FrameSearchDetail = qobject_cast<QFrame *>(find("FrameSearchDetail"));
    DateSearch = qobject_cast<VelkoDate *>(find("DateSearch"));
    txtAccDescSearch = qobject_cast<QLineEdit *>(find("txtAccDescSearch"));
    txtPriceSearch = qobject_cast<QLineEdit *>(find("txtPriceSearch"));
    cmdOkey = qobject_cast<QPushButton *>(find("cmdOkey"));
    cmdCancel = qobject_cast<QPushButton *>(find("cmdCancel"));
    praskAccTrans = new DocumentComponent(AccountDocComponentName, QStringLiteral("comAccountDoc"), this);
    comAccountDocClass = new DocumentComponent(AccountDocClassComponentName, QStringLiteral("comAccountDocClass"), this);
    // The search bar floats over the filters: it paints its own background.
    FrameSearchDetail->setAutoFillBackground(true);
    FrameSearchDetail->raise();
    FrameSearchDetail->hide();
    ProgressBar->setVisible(false);
    dtpDate->setVisible(false);
    txtFormType->setReadOnly(true);
    txtFormID->setReadOnly(true);
    lblMessage->setStyleSheet(QStringLiteral("color: #1f3c88; font-weight: bold;"));

    // Summary fields: flat, read-only texts with their designed hover texts;
    // some captions beside them are flat texts used as labels.
    for (const char *name : {"txtSumDebit", "txtSumCredit", "txtSumAllDebit", "txtSumAllCredit", "txtUpToNowAllDebit",
                             "txtUpToNowAllCredit", "txtUpToNowDebit", "txtUpToNowCredit", "txtMaxDebit_Credit",
                             "txtRemMaxDebit_Credit", "txtSumChecked", "txtSumUnChecked", "txtSumAssignedDebit",
                             "txtSumAssignedCredit", "txtSumNotAssignedDebit", "txtSumNotAssignedCredit"}) {
        auto *text = qobject_cast<QLineEdit *>(find(name));
        text->setReadOnly(true);
        text->setFocusPolicy(Qt::NoFocus);
        SummaryFields.insert(QLatin1String(name), text);
    }
    for (const SummaryFieldText &designed : SummaryFieldTexts()) {
        if (QLineEdit *text = SummaryFields.value(QLatin1String(designed.field)); text && *designed.hoverText)
            text->setToolTip(QString::fromUtf8(designed.hoverText));
        if (QWidget *caption = find(designed.captionControl); caption && *designed.captionText) {
            if (auto *label = qobject_cast<QLabel *>(caption))
                label->setText(QString::fromUtf8(designed.captionText));
            else if (auto *flat = qobject_cast<QLineEdit *>(caption))
                flat->setText(QString::fromUtf8(designed.captionText));
        }
    }
    for (const char *caption : {"txtSum", "txtSumToDay", "lblSumChecked", "lblSumUnChecked"}) {
        if (auto *text = qobject_cast<QLineEdit *>(find(caption))) {
            text->setReadOnly(true);
            text->setFrame(false);
            text->setFocusPolicy(Qt::NoFocus);
        }
    }
}

namespace {

struct MenuEntry
{
    const char *name;
    const char *parent; // a top-level menu or a submenu
    QString caption;    // "-" = separator
    bool checked;
    QKeySequence shortcut;
};

// The window's menus: hidden top levels dropped down by the command buttons.
const QList<MenuEntry> &menuEntries()
{
    static const QList<MenuEntry> entries = {
        {"mnuFunc1", "mnuFunc", QStringLiteral("سند جديد"), false, {}},
        {"mnuFunc2", "mnuFunc", QStringLiteral("اصلاح سند"), false, {}},
        {"mnuRefresh", "mnuFunc", QStringLiteral("بازسازي"), false, QKeySequence(Qt::Key_F5)},
        {"p1", "mnuFunc", QStringLiteral("-"), false, {}},
        {"mnuFunc4", "mnuFunc", QStringLiteral("چاپ"), false, {}},
        {"mnuFunc3", "mnuFunc4", QStringLiteral("مشاهده چاپ"), false, QKeySequence(Qt::CTRL | Qt::Key_P)},
        {"mnuFunc5", "mnuFunc4", QStringLiteral("چاپ "), false, {}},
        {"mnuConfilict", "mnuFunc", QStringLiteral("چاپ مغايرت - بررسي نشده\u200Cها"), false, {}},
        {"mnuConfilictView", "mnuConfilict", QStringLiteral("مشاهده مغايرت"), false, {}},
        {"mnuConfilictPrint", "mnuConfilict", QStringLiteral("چاپ مغايرت"), false, {}},
        {"mnuExcel", "mnuFunc", QStringLiteral("انتقال به Excel"), false, {}},
        {"p2", "mnuFunc", QStringLiteral("-"), false, {}},
        {"mnuFunc6", "mnuFunc", QStringLiteral("خروج"), false, {}},
        {"mnuAccountDetailSearch", "mnuTools", QStringLiteral("جستجوي ريز"), false, QKeySequence(Qt::CTRL | Qt::Key_F)},
        {"mnuSort", "mnuTools", QStringLiteral("مرتب سازي"), false, {}},
        {"mnuSortDocumentDate", "mnuSort", QStringLiteral("بر اساس تاريخ سند"), true, {}},
        {"mnuSortTransactionDate", "mnuSort", QStringLiteral("بر اساس تاريخ سر رسيد"), false, {}},
        {"i888", "mnuTools", QStringLiteral("-"), false, {}},
        {"mnuQuery", "mnuTools", QStringLiteral("اعمال شرط"), false, {}},
        {"mnuwithOutQuery", "mnuQuery", QStringLiteral("بدون شرط"), true, {}},
        {"i733", "mnuQuery", QStringLiteral("-"), false, {}},
        {"mnuWithNotFormBalance", "mnuQuery", QStringLiteral("گردشهاي تراز نشده در حسابهاي واسطه"), false, {}},
        {"mnuWithFormBalance", "mnuQuery", QStringLiteral("گردشهاي تراز شده در حسابهاي واسطه"), false, {}},
        {"mnuCheck", "mnuTools", QStringLiteral("مشاهده بررسي اسناد"), false, {}},
        {"mnuAllCheck", "mnuCheck", QStringLiteral("همه اسناد"), false, {}},
        {"i068875", "mnuCheck", QStringLiteral("-"), false, {}},
        {"mnuChecke", "mnuCheck", QStringLiteral("اسناد بررسي شده "), false, {}},
        {"mnuUnChecked", "mnuCheck", QStringLiteral("اسناد بررسي نشده"), false, {}},
        {"mnuIsChecked", "mnuChecked", QStringLiteral("بررسي شد "), false, {}},
        {"mnuIsNotChecked", "mnuChecked", QStringLiteral("بررسي نشد"), false, {}},
        {"mnuSep", "mnuChecked", QStringLiteral("-"), false, {}},
        {"mnuIsNotAssignmentExcluded", "mnuChecked", QStringLiteral("داخل تخصيص"), false, {}},
        {"mnuIsAssignmentExcluded", "mnuChecked", QStringLiteral("خارج تخصيص"), false, {}},
    };
    return entries;
}

} // namespace

void frmAccountDetails::createMenus()
{
    QHash<QString, QMenu *> menus;
    mnuFunc = menus[QStringLiteral("mnuFunc")] = new QMenu(QStringLiteral("عمليات"), this);
    mnuTools = menus[QStringLiteral("mnuTools")] = new QMenu(QStringLiteral("ابزار"), this);
    mnuPeriod = menus[QStringLiteral("mnuPeriod")] = new QMenu(QStringLiteral("دوره مالي"), this);
    mnuChecked = menus[QStringLiteral("mnuChecked")] = new QMenu(QString(), this);
    const QSet<QString> submenus {QStringLiteral("mnuFunc4"), QStringLiteral("mnuConfilict"), QStringLiteral("mnuSort"),
                                  QStringLiteral("mnuQuery"), QStringLiteral("mnuCheck")};
    for (const MenuEntry &entry : menuEntries()) {
        QMenu *parentMenu = menus.value(QLatin1String(entry.parent));
        const QString name = QLatin1String(entry.name);
        QAction *action = nullptr;
        if (entry.caption == QLatin1String("-")) {
            action = parentMenu->addSeparator();
        } else if (submenus.contains(name)) {
            QMenu *submenu = parentMenu->addMenu(entry.caption);
            menus.insert(name, submenu);
            action = submenu->menuAction();
        } else {
            action = parentMenu->addAction(entry.caption);
            action->setCheckable(entry.checked || name.startsWith(QLatin1String("mnuSort"))
                                 || parentMenu == menus.value(QStringLiteral("mnuQuery"))
                                 || parentMenu == menus.value(QStringLiteral("mnuCheck")));
            action->setChecked(entry.checked);
            if (!entry.shortcut.isEmpty()) {
                action->setShortcut(entry.shortcut);
                action->setShortcutContext(Qt::WindowShortcut);
                addAction(action); // hot keys work while the menu is closed
            }
        }
        action->setObjectName(name);
        MenuItems.insert(name, action);
    }
    mnuSort = menus.value(QStringLiteral("mnuSort"));
    MenuItems.value(QStringLiteral("mnuFunc2"))->setVisible(false);

    // Item 0 of the period array exists in the design.
    QAction *activePeriod = mnuPeriod->addAction(ActivePeriodCaption);
    activePeriod->setCheckable(true);
    mnuPeriodSpec << activePeriod;
}

void frmAccountDetails::connectHandlers()
{
    auto dropDown = [this](QPushButton *button, QMenu *menu) {
        // Under the button's bottom right corner, the menu's right edge there.
        connect(button, &QPushButton::clicked, this, [button, menu] {
            const QPoint corner = button->mapToGlobal(QPoint(button->width(), button->height()));
            menu->popup(QPoint(corner.x() - menu->sizeHint().width(), corner.y()));
        });
    };
    dropDown(cmdPeriod, mnuPeriod);
    dropDown(cmdTools, mnuTools);
    dropDown(cmdFunc, mnuFunc);

    connect(sltAccount, &comAccountPicker::SelectionChanged, this, [this] { guarded([this] { sltAccount_Change(); }); });
    for (int n = 1; n <= 4; ++n)
        connect(sltClass[n], &VelkoSelector::Change, this, [this, n] { guarded([this, n] { sltClass_Change(n); }); });
    connect(dtpFromDate, &VelkoDate::Change, this, [this] { guarded([this] { dtpFromDate_Change(); }); });
    connect(dtpToDate, &VelkoDate::Change, this, [this] { guarded([this] { dtpToDate_Change(); }); });
    m_focusWatchers << new FocusLossFilter(this, [this] { guarded([this] { txtCodeFrom_LostFocus(); }); })
                    << new FocusLossFilter(this, [this] { guarded([this] { txtCodeTo_LostFocus(); }); });
    txtCodeFrom->installEventFilter(m_focusWatchers[0]);
    txtCodeTo->installEventFilter(m_focusWatchers[1]);
    connect(chkCombinPeriod, &QCheckBox::clicked, this, [this] { guarded([this] { chkCombinPeriod_Click(); }); });
    connect(cmdReset, &QPushButton::clicked, this, [this] { guarded([this] { cmdReset_Click(); }); });
    connect(cmdEdit, &QPushButton::clicked, this, [this] { guarded([this] { cmdEdit_Click(); }); });
    connect(cmdSave, &QPushButton::clicked, this, [this] { guarded([this] { cmdSave_Click(); }); });
    connect(cmdEsc, &QPushButton::clicked, this, [this] { guarded([this] { cmdEsc_Click(); }); });
    connect(flxAccount, &FlexGrid::SelChange, this, [this] { guarded([this] { flxAccount_SelChange(); }); });
    connect(flxAccount, &FlexGrid::DblClick, this, [this] { guarded([this] { flxAccount_DblClick(); }); });
    connect(cmdFormID, &QPushButton::clicked, this, [this] { guarded([this] { cmdFormID_Click(); }); });
    // The document components' requests go on to the control at once.
    for (DocumentComponent *document : {praskAccTrans, comAccountDocClass}) {
        connect(document, &DocumentComponent::CreateNewRelationship, this, &frmAccountDetails::CreateNewRelationship);
        connect(document, &DocumentComponent::ShowRelationships, this, &frmAccountDetails::ShowRelationships);
    }
    connect(menuItem(QStringLiteral("mnuFunc6")), &QAction::triggered, this, &QWidget::close);
    const std::pair<const char *, void (frmAccountDetails::*)()> menuHandlers[] = {
        {"mnuFunc1", &frmAccountDetails::mnuFunc1_Click},
        {"mnuFunc2", &frmAccountDetails::mnuFunc2_Click},
        {"mnuRefresh", &frmAccountDetails::mnuRefresh_Click},
        {"mnuAccountDetailSearch", &frmAccountDetails::mnuAccountDetailSearch_Click},
        {"mnuSortDocumentDate", &frmAccountDetails::mnuSortDocumentDate_Click},
        {"mnuSortTransactionDate", &frmAccountDetails::mnuSortTransactionDate_Click},
        {"mnuwithOutQuery", &frmAccountDetails::mnuwithOutQuery_Click},
        {"mnuWithNotFormBalance", &frmAccountDetails::mnuWithNotFormBalance_Click},
        {"mnuWithFormBalance", &frmAccountDetails::mnuWithFormBalance_Click},
        {"mnuAllCheck", &frmAccountDetails::mnuAllCheck_Click},
        {"mnuChecke", &frmAccountDetails::mnuChecke_Click},
        {"mnuUnChecked", &frmAccountDetails::mnuUnChecked_Click},
        {"mnuFunc3", &frmAccountDetails::mnuFunc3_Click},
        {"mnuFunc5", &frmAccountDetails::mnuFunc5_Click},
        {"mnuConfilictView", &frmAccountDetails::mnuConfilictView_Click},
        {"mnuConfilictPrint", &frmAccountDetails::mnuConfilictPrint_Click},
        {"mnuExcel", &frmAccountDetails::mnuExcel_Click},
    };
    for (const auto &[name, handler] : menuHandlers) {
        QAction *item = menuItem(QLatin1String(name));
        // A checkable item toggles itself before the handler runs; the
        // handler alone decides the marks, so a repeated choice stays checked.
        connect(item, &QAction::triggered, this, [this, item, handler] {
            if (item->isCheckable())
                item->setChecked(!item->isChecked());
            guarded([this, handler] { (this->*handler)(); });
        });
    }
    connect(chkMix, &QCheckBox::clicked, this, [this] { guarded([this] { chkMix_Click(); }); });
    connect(cmdOkey, &QPushButton::clicked, this, [this] { guarded([this] { cmdOkey_Click(); }); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { guarded([this] { cmdCancel_Click(); }); });
    // A click into the grid: header sort, search bar away, assignment check.
    connect(flxAccount, &FlexGrid::Click, this, [this] { guarded([this] { flxAccount_Click(); }); });
    // Review marks and assignment exclusion: the grid's popup, its four
    // items and the hover text.
    connect(flxAccount, &FlexGrid::MouseDown, this,
            [this](Qt::MouseButton button, Qt::KeyboardModifiers shift, const QPoint &position) {
                guarded([&] { flxAccount_MouseDown(button, shift, position); });
            });
    connect(flxAccount, &FlexGrid::MouseMove, this,
            [this](Qt::MouseButtons buttons, Qt::KeyboardModifiers shift, const QPoint &position) {
                guarded([&] { flxAccount_MouseMove(buttons, shift, position); });
            });
    for (const auto &[name, handler] : {std::pair {"mnuIsChecked", &frmAccountDetails::mnuIsChecked_Click},
                                        std::pair {"mnuIsNotChecked", &frmAccountDetails::mnuIsNotChecked_Click},
                                        std::pair {"mnuIsAssignmentExcluded", &frmAccountDetails::mnuIsAssignmentExcluded_Click},
                                        std::pair {"mnuIsNotAssignmentExcluded",
                                                   &frmAccountDetails::mnuIsNotAssignmentExcluded_Click}})
        connect(menuItem(QLatin1String(name)), &QAction::triggered, this,
                [this, handler] { guarded([this, handler] { (this->*handler)(); }); });
    Timer2 = new QTimer(this);
    Timer2->setInterval(500);
    connect(Timer2, &QTimer::timeout, this, [this] { guarded([this] { Timer2_Timer(); }); });
    Timer2->start();
    SetUpKeyboardFlow(*this);
}

void frmAccountDetails::EnsureLoaded()
{
    if (m_loaded || m_loading)
        return;
    m_loading = true;
    try {
        FormLoad();
    } catch (...) {
        m_loading = false;
        throw;
    }
    m_loading = false;
    m_loaded = true;
}

void frmAccountDetails::closeEvent(QCloseEvent *event)
{
    // An open edit is not dropped without a word.
    if (!ConfirmLeaveEditing()) {
        event->ignore();
        return;
    }
    // Unloading releases the session's data environment; the next database
    // access creates a new one.
    Session.ReleaseDataEnvironment();
    emit Unloaded();
    QWidget::closeEvent(event);
}

void frmAccountDetails::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        sltAccount->setAutoOpenLookup(false);
    QWidget::changeEvent(event);
}

void frmAccountDetails::ClearLedger()
{
    flxAccount->setRedraw(true);
    // As at start-up: the header and one empty row.
    flxAccount->setRows(1);
    flxAccount->setRows(2);
    for (QLineEdit *field : std::as_const(SummaryFields))
        field->clear();
    Balances = LedgerBalances();
    m_shownAccountId = 0;
    cmdEdit->setEnabled(false);
    // The panel showed a row of the emptied ledger; an open edit keeps its input.
    if (!IsEditing()) {
        cmbDocumentType->setCurrentIndex(-1);
        for (QLineEdit *text : {txtAdditionalFormSpec, txtDescription, txtFormType, txtFormID})
            text->clear();
        dtpTrans->Clear();
        mptContract->Clear();
    }
}

void frmAccountDetails::showLedgerRow(int row)
{
    // The same block a load selects: the row from its document number on.
    flxAccount->setCol(LedgerCol::DocumentID);
    flxAccount->setColSel(LedgerCol::FormID);
    flxAccount->ShowRow(row);
    flxAccount_SelChange();
}

void frmAccountDetails::setFieldText(const QString &name, const QString &text)
{
    if (QLineEdit *field = SummaryFields.value(name))
        field->setText(text);
}

void frmAccountDetails::setFieldForeColor(const QString &name, quint32 oleColor)
{
    if (QLineEdit *field = SummaryFields.value(name)) {
        QPalette palette = field->palette();
        palette.setColor(QPalette::Text, OleColorToQColor(oleColor));
        field->setPalette(palette);
    }
}

void frmAccountDetails::guarded(const std::function<void()> &handler)
{
    try {
        handler();
    } catch (const DatabaseError &error) {
        while (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
        ShowMessage(ErrorTitle, error.message());
    } catch (const std::exception &error) {
        while (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
        ShowMessage(ErrorTitle, QString::fromStdString(error.what()));
    }
}
