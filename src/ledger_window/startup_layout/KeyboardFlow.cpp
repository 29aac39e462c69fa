#include "ledger_window/startup_layout/KeyboardFlow.h"

#include "ledger_window/frmAccountDetails.h"
#include "outside/controls/comAccountPicker.h"
#include "session/Session.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QPushButton>

namespace {

// The filters in the order a person reads and fills them, right to left and
// top to bottom; the last one is followed by the rebuild button.
constexpr const char *FilterOrder[] = {
    "sltAccount", "dtpFromDate", "dtpToDate", "txtCodeFrom", "txtCodeTo", "chkCombinPeriod", "chkiOpening",
    "sltBranch",  "chkMix",      "sltClass1", "sltObject1",  "sltClass2", "sltObject2",      "sltClass3",
    "sltObject3", "sltClass4",   "sltObject4",
};

// After the rebuild button: the ledger, the edit panel in the order it is
// filled while editing, then the rest of the command bar and the fields that
// only show values.
constexpr const char *RestOrder[] = {
    "cmdReset", "flxAccount", "cmdEdit", "cmbDocumentType", "txtAdditionalFormSpec", "dtpTrans",
    "mptContract", "txtDescription", "cmdSave", "cmdEsc", "cmdFunc", "cmdTools", "cmdPeriod", "cmdFormID",
    "mptPosition",
};

bool isEnter(const QKeyEvent *key)
{
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    return (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && modifiers == Qt::NoModifier;
}

// Enter in a filter field moves on as Tab does; Enter on the rebuild button
// presses it. Installed on the widgets that really hold the focus (the inner
// box of a compound control), never on a look-up list or calendar pop-up,
// which are windows of their own and keep their Enter.
class EnterMovesOn : public QObject
{
public:
    EnterMovesOn(QObject *parent, QPushButton *rebuild)
        : QObject(parent), m_rebuild(rebuild) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress || !isEnter(static_cast<QKeyEvent *>(event)))
            return QObject::eventFilter(watched, event);
        if (watched == m_rebuild) {
            if (m_rebuild->isEnabled())
                m_rebuild->click();
            return true;
        }
        // A Tab sent to the field itself: the focus moves exactly as a
        // person's Tab would move it, and the field's own leave handling
        // (taking a typed code or date) runs as it does for Tab.
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QCoreApplication::sendEvent(watched, &tab);
        return true;
    }

private:
    QPushButton *m_rebuild;
};

// F5 (refresh), Ctrl+F (search) and Ctrl+P (print preview) from anywhere in
// the window. A key pressed on the keyboard reaches the menu items through
// their shortcuts; this filter serves the same keys when they arrive as plain
// key events (a field that would swallow them, keys sent by a script), so
// each press runs its command once either way.
class HotKeys : public QObject
{
public:
    explicit HotKeys(frmAccountDetails &window)
        : QObject(&window), m_window(window) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        const auto *key = static_cast<QKeyEvent *>(event);
        const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
        const char *item = nullptr;
        if (key->key() == Qt::Key_F5 && modifiers == Qt::NoModifier)
            item = "mnuRefresh";
        else if (key->key() == Qt::Key_F && modifiers == Qt::ControlModifier)
            item = "mnuAccountDetailSearch";
        else if (key->key() == Qt::Key_P && modifiers == Qt::ControlModifier)
            item = "mnuFunc3";
        if (!item)
            return QObject::eventFilter(watched, event);
        // A disabled item (the refresh while a row is edited) does nothing.
        if (QAction *action = m_window.menuItem(QLatin1String(item)); action && action->isEnabled())
            action->trigger();
        return true;
    }

private:
    frmAccountDetails &m_window;
};

// Without analytic objects the account is the last filter a person fills:
// Tab (or Enter) from it goes straight to the rebuild button, so choosing an
// account and pressing Enter twice shows its ledger. With analytic objects
// the Tab order already ends at the fourth object and then the button.
class AccountLeadsToRebuild : public QObject
{
public:
    AccountLeadsToRebuild(QObject *parent, QPushButton *rebuild)
        : QObject(parent), m_rebuild(rebuild) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress && !Session.ObjectsEnabled) {
            const auto *key = static_cast<QKeyEvent *>(event);
            if (key->key() == Qt::Key_Tab && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier
                && m_rebuild->isEnabled() && m_rebuild->isVisible()) {
                m_rebuild->setFocus(Qt::TabFocusReason);
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QPushButton *m_rebuild;
};

// In the search bar Enter finds (again, once the focus sits on the find
// button) and Escape closes the bar.
class SearchBarKeys : public QObject
{
public:
    SearchBarKeys(QObject *parent, QPushButton *find, QPushButton *close)
        : QObject(parent), m_find(find), m_close(close) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const auto *key = static_cast<QKeyEvent *>(event);
            if (isEnter(key)) {
                // After the key: the date field takes a typed date on Enter first.
                QMetaObject::invokeMethod(m_find, &QPushButton::click, Qt::QueuedConnection);
                return false;
            }
            if (key->key() == Qt::Key_Escape) {
                m_close->click();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QPushButton *m_find;
    QPushButton *m_close;
};

// The widget that holds the focus for a control: a compound control hands
// it on to its inner box.
QWidget *focusHolder(QWidget *control)
{
    QWidget *holder = control;
    while (holder->focusProxy())
        holder = holder->focusProxy();
    return holder;
}

} // namespace

void SetUpKeyboardFlow(frmAccountDetails &window)
{
    // One chain from the account to the last field. Qt moves a compound
    // control together with its inner widgets, so Tab goes from the inner box
    // of one control to the inner box of the next.
    QWidget *previous = nullptr;
    const auto chain = [&](const char *name) {
        QWidget *current = window.Controls.value(QLatin1String(name));
        if (previous)
            QWidget::setTabOrder(previous, current);
        previous = current;
    };
    for (const char *name : FilterOrder)
        chain(name);
    for (const char *name : RestOrder)
        chain(name);

    // The two fields that show the row's source form are read-only: a click
    // may still select their text, Tab passes them by.
    for (const char *name : {"txtFormType", "txtFormID"})
        window.Controls.value(QLatin1String(name))->setFocusPolicy(Qt::ClickFocus);

    QPushButton *rebuild = window.cmdReset;
    auto *enter = new EnterMovesOn(&window, rebuild);
    for (const char *name : FilterOrder)
        focusHolder(window.Controls.value(QLatin1String(name)))->installEventFilter(enter);
    rebuild->installEventFilter(enter);
    // Installed after the Enter handling, so it also sees the Tab that Enter sends.
    focusHolder(window.sltAccount)->installEventFilter(new AccountLeadsToRebuild(&window, rebuild));

    auto *searchKeys = new SearchBarKeys(&window, window.cmdOkey, window.cmdCancel);
    for (const char *name : {"DateSearch", "txtAccDescSearch", "txtPriceSearch", "cmdOkey", "cmdCancel"})
        focusHolder(window.Controls.value(QLatin1String(name)))->installEventFilter(searchKeys);

    // The hot keys: on the window for keys its fields pass on, and on every
    // field for keys a field would otherwise keep.
    auto *hotKeys = new HotKeys(window);
    window.installEventFilter(hotKeys);
    for (QWidget *child : window.findChildren<QWidget *>())
        child->installEventFilter(hotKeys);

    // The host switches to the Persian (or Arabic) keyboard layout when a
    // field for text or analytic codes takes the focus. X11 and Wayland give
    // an application no way to choose the layout of its own fields, so these
    // fields keep whatever layout the person has chosen on the desktop.
}
