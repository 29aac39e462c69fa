#include "ledger_window/startup_layout/KeyboardFlow.h"

#include "ledger_window/frmAccountDetails.h"

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
}
