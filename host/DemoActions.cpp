#include "DemoActions.h"

#include "ledger_window/frmAccountDetails.h"
#include "outside/controls/FlexGrid.h"
#include "outside/controls/LookupField.h"
#include "outside/controls/VelkoDate.h"
#include "outside/controls/VelkoSelector.h"
#include "outside/controls/comAccountPicker.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <stdexcept>

namespace {

[[noreturn]] void fail(const QString &text)
{
    throw std::runtime_error(text.toStdString());
}

// The period menu's items have no names of their own: "mnuPeriodSpec(N)".
const QRegularExpression kPeriodItem(QStringLiteral("^mnuPeriodSpec\\((\\d+)\\)$"));

// Events posted by the last step (deferred layouts, queued signals, zero timers) run before the next.
void settle()
{
    QApplication::processEvents();
    QApplication::sendPostedEvents();
    QApplication::processEvents();
}

// The key code Qt gives a typed character: its upper-case form for ASCII, none for others.
int keyOf(QChar ch)
{
    return ch.unicode() < 0x80 ? ch.toUpper().unicode() : int(Qt::Key_unknown);
}

// A key press and its release, sent where the keyboard focus is, as the
// window system would: a hot key of the window is tried first.
void pressKey(QWidget *target, QKeyCombination key, const QString &text = QString())
{
    QPointer<QWidget> receiver(target);
    QKeyEvent press(QEvent::KeyPress, key.key(), key.keyboardModifiers(), text);
    QApplication::sendEvent(receiver, &press);
    if (receiver) {
        QKeyEvent release(QEvent::KeyRelease, key.key(), key.keyboardModifiers(), text);
        QApplication::sendEvent(receiver, &release);
    }
    settle();
}

QWidget *focused(frmAccountDetails *window)
{
    QWidget *widget = QApplication::focusWidget();
    if (!widget || widget->window() != window)
        fail(QStringLiteral("no field of the ledger window has the keyboard focus"));
    return widget;
}

void typeText(frmAccountDetails *window, const QString &text)
{
    for (QChar ch : text)
        pressKey(focused(window), QKeyCombination(Qt::NoModifier, Qt::Key(keyOf(ch))), QString(ch));
}

QWidget *control(frmAccountDetails *window, const QString &name)
{
    QWidget *widget = window->Controls.value(name);
    if (!widget)
        fail(QStringLiteral("the ledger window has no control named %1").arg(name));
    return widget;
}

void requireUsable(frmAccountDetails *window, QWidget *widget, const QString &name)
{
    if (!widget->isVisibleTo(window))
        fail(QStringLiteral("%1 is hidden").arg(name));
    if (!widget->isEnabled())
        fail(QStringLiteral("%1 is disabled").arg(name));
}

// The box a person types a value into, for the controls that take one.
QLineEdit *inputBox(QWidget *widget)
{
    if (auto *lookup = qobject_cast<LookupField *>(widget))
        return lookup->codeBox();
    if (auto *date = qobject_cast<VelkoDate *>(widget))
        return date->dateBox();
    if (auto *line = qobject_cast<QLineEdit *>(widget); line && !line->isReadOnly())
        return line;
    return nullptr;
}

// Clicks into the field, replaces its text by typing, and leaves it with Tab:
// the field's own checks and the window's change or focus-loss handlers run
// as they do for a person.
void setField(frmAccountDetails *window, const QString &name, const QString &value)
{
    QWidget *widget = control(window, name);
    QLineEdit *box = inputBox(widget);
    if (!box)
        fail(QStringLiteral("%1 takes no typed value").arg(name));
    requireUsable(window, widget, name);
    box->setFocus(Qt::MouseFocusReason);
    settle();
    if (QApplication::focusWidget() != box)
        fail(QStringLiteral("%1 did not take the keyboard focus").arg(name));
    box->selectAll();
    if (value.isEmpty())
        pressKey(box, QKeyCombination(Qt::NoModifier, Qt::Key_Delete));
    typeText(window, value);
    pressKey(focused(window), QKeyCombination(Qt::NoModifier, Qt::Key_Tab));
}

void click(frmAccountDetails *window, const QString &name)
{
    if (const QRegularExpressionMatch period = kPeriodItem.match(name); period.hasMatch()) {
        QAction *item = window->mnuPeriodSpec.value(period.captured(1).toInt());
        if (!item)
            fail(QStringLiteral("the period menu has no item %1").arg(period.captured(1)));
        if (!item->isEnabled())
            fail(QStringLiteral("%1 is disabled").arg(name));
        item->trigger();
        return;
    }
    if (QAction *item = window->MenuItems.value(name)) {
        if (!item->isVisible() || item->isSeparator())
            fail(QStringLiteral("%1 is hidden").arg(name));
        if (!item->isEnabled())
            fail(QStringLiteral("%1 is disabled").arg(name));
        item->trigger();
        return;
    }
    if (!window->Controls.contains(name))
        fail(QStringLiteral("the ledger window has no control or menu item named %1").arg(name));
    auto *button = qobject_cast<QAbstractButton *>(window->Controls.value(name));
    if (!button)
        fail(QStringLiteral("%1 is not a button").arg(name));
    requireUsable(window, button, name);
    button->click();
}

void wait(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

QString escaped(QString value)
{
    return value.replace(QLatin1Char('\\'), QLatin1String("\\\\"))
        .replace(QLatin1Char('\t'), QLatin1String("\\t"))
        .replace(QLatin1Char('\n'), QLatin1String("\\n"));
}

// The name of the window's control holding a widget ("" for none).
QString controlName(frmAccountDetails *window, QWidget *widget)
{
    for (; widget && widget != window; widget = widget->parentWidget()) {
        if (window->Controls.value(widget->objectName()) == widget)
            return widget->objectName();
    }
    return QString();
}

// What a lookup field shows beside its code: the chosen row's name, or why a
// typed code was refused.
QString shownName(LookupField *field)
{
    const QLabel *name = field->findChild<QLabel *>(QStringLiteral("lblName"), Qt::FindDirectChildrenOnly);
    return name ? name->text() : QString();
}

} // namespace

const QStringList &DemoActions::SummaryFieldNames()
{
    static const QStringList names = {
        "txtSumDebit", "txtSumCredit", "txtSumAllDebit", "txtSumAllCredit", "txtUpToNowAllDebit",
        "txtUpToNowAllCredit", "txtUpToNowDebit", "txtUpToNowCredit", "txtMaxDebit_Credit", "txtRemMaxDebit_Credit",
        "txtSumChecked", "txtSumUnChecked", "txtSumAssignedDebit", "txtSumAssignedCredit", "txtSumNotAssignedDebit",
        "txtSumNotAssignedCredit"};
    return names;
}

DemoActions::Action DemoActions::Parse(const QString &text)
{
    Action action;
    action.text = text;
    const QString verb = text.section(QLatin1Char(' '), 0, 0);
    const QString rest = text.section(QLatin1Char(' '), 1);
    const auto malformed = [&](const char *form) {
        fail(QStringLiteral("--do \"%1\": expected \"%2\"").arg(text, QLatin1String(form)));
    };
    if (verb == QLatin1String("set")) {
        action.kind = Action::Kind::Set;
        action.target = rest.section(QLatin1Char(' '), 0, 0);
        action.value = rest.section(QLatin1Char(' '), 1);
        if (action.target.isEmpty())
            malformed("set NAME VALUE");
    } else if (verb == QLatin1String("click")) {
        action.kind = Action::Kind::Click;
        action.target = rest.trimmed();
        if (action.target.isEmpty() || action.target.contains(QLatin1Char(' ')))
            malformed("click NAME");
    } else if (verb == QLatin1String("key")) {
        action.kind = Action::Kind::Key;
        action.keys = QKeySequence::fromString(rest.trimmed(), QKeySequence::PortableText);
        bool known = !action.keys.isEmpty();
        for (int i = 0; i < action.keys.count(); ++i)
            known = known && action.keys[i].key() != Qt::Key_unknown && action.keys[i].key() != 0;
        if (!known)
            malformed("key SEQUENCE, e.g. F5 or Ctrl+F");
    } else if (verb == QLatin1String("type")) {
        action.kind = Action::Kind::Type;
        action.value = rest;
        if (action.value.isEmpty())
            malformed("type TEXT");
    } else if (verb == QLatin1String("resize")) {
        action.kind = Action::Kind::Resize;
        static const QRegularExpression size(QStringLiteral("^(\\d{1,5})x(\\d{1,5})$"));
        const QRegularExpressionMatch match = size.match(rest.trimmed());
        if (!match.hasMatch() || match.captured(1).toInt() == 0 || match.captured(2).toInt() == 0)
            malformed("resize WIDTHxHEIGHT");
        action.width = match.captured(1).toInt();
        action.height = match.captured(2).toInt();
    } else if (verb == QLatin1String("wait")) {
        action.kind = Action::Kind::Wait;
        bool number = false;
        action.milliseconds = rest.trimmed().toInt(&number);
        if (!number || action.milliseconds < 0 || action.milliseconds > 600000)
            malformed("wait MILLISECONDS");
    } else {
        fail(QStringLiteral("unknown --do action \"%1\" (set, click, key, type, resize or wait)").arg(text));
    }
    return action;
}

void DemoActions::Activate(frmAccountDetails *window)
{
    window->show();
    window->activateWindow();
    settle();
    if (!window->isActiveWindow()) {
        QApplication::setActiveWindow(window);
        settle();
    }
}

void DemoActions::Perform(frmAccountDetails *window, const Action &action)
{
    switch (action.kind) {
    case Action::Kind::Set:
        setField(window, action.target, action.value);
        break;
    case Action::Kind::Click:
        click(window, action.target);
        break;
    case Action::Kind::Key:
        for (int i = 0; i < action.keys.count(); ++i)
            pressKey(focused(window), action.keys[i]);
        break;
    case Action::Kind::Type:
        typeText(window, action.value);
        break;
    case Action::Kind::Resize:
        window->resize(action.width, action.height);
        break;
    case Action::Kind::Wait:
        wait(action.milliseconds);
        break;
    }
    settle();
}

QString DemoActions::StateText(frmAccountDetails *window)
{
    QStringList lines;
    const auto add = [&](const QString &name, const QString &value) { lines << name + QLatin1Char('\t') + escaped(value); };
    const auto flag = [](bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); };

    add(QStringLiteral("title"), window->windowTitle());
    add(QStringLiteral("size"), QStringLiteral("%1x%2").arg(window->width()).arg(window->height()));
    add(QStringLiteral("focus"), controlName(window, QApplication::focusWidget()));

    // The lookup fields: the chosen ID, what the code box and the name beside it show.
    QList<LookupField *> lookups {window->sltAccount, window->sltBranch};
    for (int n = 1; n <= 4; ++n)
        lookups << window->sltClass[n] << window->sltObject[n];
    for (LookupField *field : lookups) {
        const QString name = field->objectName();
        const qint32 id = field == window->sltAccount ? window->sltAccount->AccountID()
                                                      : static_cast<VelkoSelector *>(field)->SelectedID();
        add(name + QStringLiteral(".ID"), QString::number(id));
        add(name + QStringLiteral(".Code"), field->codeBox()->text());
        add(name + QStringLiteral(".Name"), shownName(field));
        add(name + QStringLiteral(".Enabled"), flag(field->isEnabled()));
    }
    add(QStringLiteral("dtpFromDate"), window->dtpFromDate->JalaliText());
    add(QStringLiteral("dtpToDate"), window->dtpToDate->JalaliText());
    add(QStringLiteral("txtCodeFrom"), window->txtCodeFrom->text());
    add(QStringLiteral("txtCodeTo"), window->txtCodeTo->text());
    for (QCheckBox *check : {window->chkMix, window->chkCombinPeriod, window->chkiOpening})
        add(check->objectName(), flag(check->isChecked()));
    add(QStringLiteral("lblMessage"), window->lblMessage->text());
    for (const QString &name : SummaryFieldNames())
        add(name, window->summaryField(name)->text());
    add(QStringLiteral("flxAccount.Rows"), QString::number(window->flxAccount->Rows()));
    add(QStringLiteral("flxAccount.DataRows"), QString::number(window->flxAccount->Rows() - window->flxAccount->FixedRows()));
    add(QStringLiteral("flxAccount.Row"), QString::number(window->flxAccount->Row()));
    for (QPushButton *button : {window->cmdEdit, window->cmdSave, window->cmdEsc, window->cmdReset})
        add(button->objectName() + QStringLiteral(".Enabled"), flag(button->isEnabled()));
    QStringList checkedItems;
    for (auto it = window->MenuItems.cbegin(); it != window->MenuItems.cend(); ++it)
        if (it.value()->isCheckable() && it.value()->isChecked())
            checkedItems << it.key();
    checkedItems.sort();
    add(QStringLiteral("menus.Checked"), checkedItems.join(QLatin1Char(',')));
    for (int k = 0; k < window->mnuPeriodSpec.size(); ++k)
        if (window->mnuPeriodSpec.at(k)->isChecked())
            add(QStringLiteral("mnuPeriodSpec.Checked"), QStringLiteral("%1 %2").arg(k).arg(window->mnuPeriodSpec.at(k)->text()));
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}
