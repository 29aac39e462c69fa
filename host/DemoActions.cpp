#include "DemoActions.h"

#include "ledger_window/frmAccountDetails.h"
#include "ledger_window/ledger/LedgerColumns.h"
#include "ledger_window/startup_layout/WindowLayout.h"
#include "outside/controls/FlexGrid.h"
#include "outside/controls/LookupField.h"
#include "outside/controls/VelkoDate.h"
#include "outside/controls/VelkoSelector.h"
#include "outside/controls/comAccountPicker.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QEventLoop>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableView>
#include <QTextStream>
#include <QTimer>
#include <algorithm>
#include <stdexcept>

namespace {

using Kind = DemoActions::Action::Kind;

[[noreturn]] void fail(const QString &text)
{
    throw std::runtime_error(text.toStdString());
}

// The period menu's items have no names of their own: "mnuPeriodSpec(N)".
const QRegularExpression kPeriodItem(QStringLiteral("^mnuPeriodSpec\\((\\d+)\\)$"));
// A control or menu item name as the window's design writes them.
const QRegularExpression kName(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*(\\(\\d+\\))?$"));

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

// A key press and its release, sent where the keyboard focus is. A key the
// focused field does not use travels up to the window, whose own key
// handling takes its hot keys (F5, Ctrl+F, Ctrl+P).
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

// Moves the keyboard focus into a widget as a click into it would, and checks it arrived.
void giveFocus(QWidget *widget, const QString &name)
{
    if (QApplication::focusWidget() != widget) {
        widget->setFocus(Qt::MouseFocusReason);
        settle();
    }
    if (QApplication::focusWidget() != widget)
        fail(QStringLiteral("%1 did not take the keyboard focus").arg(name));
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
    giveFocus(box, name);
    box->selectAll();
    if (value.isEmpty())
        pressKey(box, QKeyCombination(Qt::NoModifier, Qt::Key_Delete));
    typeText(window, value);
    pressKey(focused(window), QKeyCombination(Qt::NoModifier, Qt::Key_Tab));
}

// The widget inside a control that holds the focus while a person types
// into it: the grid's table, a field's input box, or the control itself.
QWidget *keyReceiver(frmAccountDetails *window, const QString &name)
{
    QWidget *widget = control(window, name);
    requireUsable(window, widget, name);
    if (auto *grid = qobject_cast<FlexGrid *>(widget))
        return grid->view();
    if (QLineEdit *box = inputBox(widget))
        return box;
    return widget;
}

void pressKeys(frmAccountDetails *window, const DemoActions::Action &action)
{
    const QString name = action.target.isEmpty() ? window->flxAccount->objectName() : action.target;
    giveFocus(keyReceiver(window, name), name);
    // Each key goes where the focus is by then: a Tab moves the next key on.
    for (int i = 0; i < action.keys.count(); ++i)
        pressKey(focused(window), action.keys[i]);
}

// The item behind a menu name; separators and submenus are not items one chooses.
QAction *menuItem(frmAccountDetails *window, const QString &name)
{
    if (const QRegularExpressionMatch period = kPeriodItem.match(name); period.hasMatch()) {
        bool number = false;
        const int index = period.captured(1).toInt(&number);
        if (!number || index >= window->mnuPeriodSpec.size())
            fail(QStringLiteral("the period menu has no item %1").arg(period.captured(1)));
        return window->mnuPeriodSpec.at(index);
    }
    QAction *item = window->MenuItems.value(name);
    if (!item)
        fail(QStringLiteral("the ledger window has no menu item named %1").arg(name));
    if (item->isSeparator())
        fail(QStringLiteral("%1 is a separator, not a menu item").arg(name));
    if (item->menu())
        fail(QStringLiteral("%1 is a submenu, not a menu item").arg(name));
    return item;
}

// Chooses a menu item as a click on it does: the open menus close, then the
// item fires. A click on a disabled item does nothing; the run goes on and
// says so on standard error.
void chooseMenuItem(frmAccountDetails *window, const QString &name)
{
    QAction *item = menuItem(window, name);
    if (!item->isVisible())
        fail(QStringLiteral("%1 is hidden").arg(name));
    if (!item->isEnabled()) {
        QTextStream(stderr) << "menu " << name << ": disabled\n";
        return;
    }
    // A popup that will not close would loop forever; a few rounds suffice for any chain of submenus.
    for (int round = 0; round < 8 && QApplication::activePopupWidget(); ++round) {
        QApplication::activePopupWidget()->close();
        settle();
    }
    item->activate(QAction::Trigger);
}

void click(frmAccountDetails *window, const QString &name)
{
    // Menu names were always accepted here; they choose the item as "menu" does.
    if (!window->Controls.contains(name)
        && (kPeriodItem.match(name).hasMatch() || window->MenuItems.contains(name))) {
        chooseMenuItem(window, name);
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

// A grid cell as the pointer finds it: the surface the mouse events go to
// and the point on it.
struct CellPoint
{
    QWidget *surface = nullptr;
    QPoint position;
};

// Scrolls the cell into sight and finds the centre of its visible part. Row 0
// is the header row, shown as the table's horizontal header.
CellPoint cellPoint(frmAccountDetails *window, int row, int col)
{
    FlexGrid *grid = window->flxAccount;
    requireUsable(window, grid, grid->objectName());
    if (row >= grid->Rows() || col >= grid->Cols())
        fail(QStringLiteral("the grid has no cell (%1, %2): rows 0 to %3, columns 0 to %4")
                 .arg(row).arg(col).arg(grid->Rows() - 1).arg(grid->Cols() - 1));
    QTableView *view = grid->view();
    if (view->isColumnHidden(col))
        fail(QStringLiteral("column %1 of the grid is hidden").arg(col));
    const auto inSight = [](QWidget *surface, const QRect &cell) {
        const QRect shown = cell & surface->rect();
        return shown.isEmpty() ? QPoint(-1, -1) : shown.center();
    };

    CellPoint point;
    if (row == 0) {
        QHeaderView *header = view->horizontalHeader();
        if (!header->isVisibleTo(window))
            fail(QStringLiteral("the grid shows no header row"));
        // Scrolling sideways at the first row in sight keeps the rows where they are.
        if (grid->Rows() > 1)
            view->scrollTo(view->model()->index(std::max(0, view->rowAt(0)), col));
        settle();
        point.surface = header->viewport();
        point.position = inSight(point.surface, QRect(header->sectionViewportPosition(col), 0, header->sectionSize(col),
                                                      point.surface->height()));
        if (header->logicalIndexAt(point.position) != col)
            fail(QStringLiteral("column %1 of the grid cannot be brought into sight").arg(col));
        return point;
    }
    const QModelIndex index = view->model()->index(row - 1, col);
    view->scrollTo(index);
    settle();
    point.surface = view->viewport();
    point.position = inSight(point.surface, view->visualRect(index));
    if (view->indexAt(point.position) != index)
        fail(QStringLiteral("cell (%1, %2) of the grid cannot be brought into sight").arg(row).arg(col));
    return point;
}

// The focus a press gives, as the window system hands it: to the first
// widget from the one under the pointer outwards that takes the focus by click.
void focusByClick(QWidget *surface, QPoint position)
{
    for (QWidget *widget = surface; widget; widget = widget->parentWidget()) {
        if (widget->isEnabled() && widget->rect().contains(position) && (widget->focusPolicy() & Qt::ClickFocus)) {
            widget->setFocus(Qt::MouseFocusReason);
            return;
        }
        if (widget->isWindow())
            return;
        position += widget->pos();
    }
}

void sendMouse(const QPointer<QWidget> &surface, QEvent::Type type, QPoint position, Qt::MouseButton button,
               Qt::MouseButtons buttons)
{
    if (!surface)
        return;
    QMouseEvent event(type, position, surface->mapToGlobal(position), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(surface, &event);
    settle();
}

// Real mouse events at the cell's centre, in the order the window system sends them.
void mouseOnCell(frmAccountDetails *window, Kind kind, int row, int col)
{
    const CellPoint cell = cellPoint(window, row, col);
    const QPointer<QWidget> surface(cell.surface);
    const QPoint at = cell.position;
    switch (kind) {
    case Kind::GridClick:
        focusByClick(surface, at);
        sendMouse(surface, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
        sendMouse(surface, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
        break;
    case Kind::GridDoubleClick:
        // The second press also arrives as a double click.
        focusByClick(surface, at);
        sendMouse(surface, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
        sendMouse(surface, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
        sendMouse(surface, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
        sendMouse(surface, QEvent::MouseButtonDblClick, at, Qt::LeftButton, Qt::LeftButton);
        sendMouse(surface, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
        break;
    case Kind::GridRightClick:
        // On this platform the context menu request follows the right press.
        focusByClick(surface, at);
        sendMouse(surface, QEvent::MouseButtonPress, at, Qt::RightButton, Qt::RightButton);
        if (surface) {
            QContextMenuEvent request(QContextMenuEvent::Mouse, at, surface->mapToGlobal(at), Qt::NoModifier);
            QApplication::sendEvent(surface, &request);
            settle();
        }
        sendMouse(surface, QEvent::MouseButtonRelease, at, Qt::RightButton, Qt::NoButton);
        break;
    case Kind::Hover:
        sendMouse(surface, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
        break;
    default:
        break;
    }
}

// Whole rows FIRST to LAST selected through the grid's setters, FIRST the current row;
// the grid reports the change as it does for any selection.
void selectRows(frmAccountDetails *window, int first, int last)
{
    FlexGrid *grid = window->flxAccount;
    requireUsable(window, grid, grid->objectName());
    for (int row : {first, last})
        if (row < 1 || row >= grid->Rows())
            fail(QStringLiteral("the grid has no data row %1 (rows 1 to %2)").arg(row).arg(grid->Rows() - 1));
    if (grid->Cols() < 1)
        fail(QStringLiteral("the grid has no columns"));
    grid->setRow(first);
    grid->setCol(0);
    grid->setRowSel(last);
    grid->setColSel(grid->Cols() - 1);
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

// A whole number of at most nine digits (no sign), or -1.
int wholeNumber(const QString &text)
{
    static const QRegularExpression digits(QStringLiteral("^\\d{1,9}$"));
    return digits.match(text).hasMatch() ? text.toInt() : -1;
}

// One "row" line per data row: the colours that show the row's background,
// its review mark (the text of the columns up to IsChecked) and its exclusion
// from assignment (the text of the whole row, up to AssignmentState). Colours
// are written as the grid keeps them in its RowColor column: the OLE value
// read as a signed 32-bit number. Read straight from the store, a million
// rows take well under a second and move nothing.
void appendRowColors(QByteArray &out, const FlexGrid *grid)
{
    const int cols = grid->Cols();
    const auto color = [](quint32 ole) { return QByteArray::number(qint32(ole)); };
    const auto backAt = [&](int r, int c) { return c < cols ? color(grid->cellBackColorAt(r, c)) : QByteArray(); };
    const auto foreAt = [&](int r, int c) { return c < cols ? color(grid->cellForeColorAt(r, c)) : QByteArray(); };
    for (int r = 1; r < grid->Rows(); ++r) {
        out += "row\t" + QByteArray::number(r) + '\t' + backAt(r, AccTransCode) + '\t' + foreAt(r, AccTransCode) + '\t'
               + foreAt(r, IsChecked) + '\t' + foreAt(r, AssignmentState) + '\n';
    }
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
    const QStringList words = rest.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const auto malformed = [&](const char *form) {
        fail(QStringLiteral("--do \"%1\": expected \"%2\"").arg(text, QLatin1String(form)));
    };
    // A key sequence every key of which Qt knows, or an empty one.
    const auto keySequence = [](const QString &keys) {
        const QKeySequence sequence = QKeySequence::fromString(keys, QKeySequence::PortableText);
        for (int i = 0; i < sequence.count(); ++i)
            if (sequence[i].key() == Qt::Key_unknown || sequence[i].key() == 0)
                return QKeySequence();
        return sequence;
    };
    // "ROW COL" or "FIRST LAST": two whole numbers.
    const auto cell = [&](const char *form) {
        if (words.size() != 2 || wholeNumber(words[0]) < 0 || wholeNumber(words[1]) < 0)
            malformed(form);
        action.row = wholeNumber(words[0]);
        action.col = wholeNumber(words[1]);
    };

    if (verb == QLatin1String("set")) {
        action.kind = Kind::Set;
        action.target = rest.section(QLatin1Char(' '), 0, 0);
        action.value = rest.section(QLatin1Char(' '), 1);
        if (!kName.match(action.target).hasMatch())
            malformed("set NAME VALUE");
    } else if (verb == QLatin1String("click") || verb == QLatin1String("menu")) {
        action.kind = verb == QLatin1String("click") ? Kind::Click : Kind::Menu;
        if (words.size() != 1 || !kName.match(words[0]).hasMatch())
            malformed(action.kind == Kind::Click ? "click NAME" : "menu NAME");
        action.target = words[0];
    } else if (verb == QLatin1String("key")) {
        action.kind = Kind::Key;
        // A last word that names no key is the control that takes the keys.
        QString keys = rest.trimmed();
        if (words.size() > 1 && kName.match(words.last()).hasMatch() && keySequence(words.last()).isEmpty()) {
            action.target = words.last();
            keys = keys.left(keys.size() - action.target.size()).trimmed();
        }
        action.keys = keySequence(keys);
        if (action.keys.isEmpty())
            malformed("key SEQUENCE [NAME], e.g. F5 or Ctrl+F txtCodeFrom");
    } else if (verb == QLatin1String("type")) {
        action.kind = Kind::Type;
        action.value = rest;
        if (action.value.isEmpty())
            malformed("type TEXT");
    } else if (verb == QLatin1String("select")) {
        action.kind = Kind::Select;
        cell("select FIRST LAST");
        action.lastRow = action.col;
        action.col = 0;
    } else if (verb == QLatin1String("grid-click")) {
        action.kind = Kind::GridClick;
        cell("grid-click ROW COL");
    } else if (verb == QLatin1String("grid-double-click")) {
        action.kind = Kind::GridDoubleClick;
        cell("grid-double-click ROW COL");
    } else if (verb == QLatin1String("grid-right-click")) {
        action.kind = Kind::GridRightClick;
        cell("grid-right-click ROW COL");
    } else if (verb == QLatin1String("hover")) {
        action.kind = Kind::Hover;
        cell("hover ROW COL");
    } else if (verb == QLatin1String("resize")) {
        action.kind = Kind::Resize;
        static const QRegularExpression size(QStringLiteral("^(\\d{1,5})(?:x| +)(\\d{1,5})$"));
        const QRegularExpressionMatch match = size.match(rest.trimmed());
        if (!match.hasMatch() || match.captured(1).toInt() == 0 || match.captured(2).toInt() == 0)
            malformed("resize WIDTH HEIGHT");
        action.width = match.captured(1).toInt();
        action.height = match.captured(2).toInt();
    } else if (verb == QLatin1String("wait")) {
        action.kind = Kind::Wait;
        action.milliseconds = words.size() == 1 ? wholeNumber(words[0]) : -1;
        if (action.milliseconds < 0 || action.milliseconds > 600000)
            malformed("wait MILLISECONDS");
    } else {
        fail(QStringLiteral("unknown --do action \"%1\" (set, click, menu, key, type, select, grid-click, "
                            "grid-double-click, grid-right-click, hover, resize or wait)")
                 .arg(text));
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
    case Kind::Set:
        setField(window, action.target, action.value);
        break;
    case Kind::Click:
        click(window, action.target);
        break;
    case Kind::Menu:
        chooseMenuItem(window, action.target);
        break;
    case Kind::Key:
        pressKeys(window, action);
        break;
    case Kind::Type:
        typeText(window, action.value);
        break;
    case Kind::Select:
        selectRows(window, action.row, action.lastRow);
        break;
    case Kind::GridClick:
    case Kind::GridDoubleClick:
    case Kind::GridRightClick:
    case Kind::Hover:
        mouseOnCell(window, action.kind, action.row, action.col);
        break;
    case Kind::Resize:
        window->resize(action.width, action.height);
        break;
    case Kind::Wait:
        wait(action.milliseconds);
        break;
    }
    settle();
    // A window closed by the step deletes itself; outside an event loop that
    // waits for an explicit round, after which the host sees it gone.
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QByteArray DemoActions::StateText(frmAccountDetails *window)
{
    QByteArray out;
    const auto add = [&](const QString &name, const QString &value) {
        out += (name + QLatin1Char('\t') + escaped(value) + QLatin1Char('\n')).toUtf8();
    };
    const auto flag = [](bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); };
    const auto number = [](int value) { return QString::number(value); };

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
    const FlexGrid *grid = window->flxAccount;
    add(QStringLiteral("flxAccount.Rows"), number(grid->Rows()));
    add(QStringLiteral("flxAccount.DataRows"), number(grid->Rows() - grid->FixedRows()));
    add(QStringLiteral("flxAccount.Row"), number(grid->Row()));
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

    // The grid's current cell, selection block and scroll position.
    add(QStringLiteral("Row"), number(grid->Row()));
    add(QStringLiteral("RowSel"), number(grid->RowSel()));
    add(QStringLiteral("Col"), number(grid->Col()));
    add(QStringLiteral("ColSel"), number(grid->ColSel()));
    add(QStringLiteral("TopRow"), number(grid->TopRow()));
    add(QStringLiteral("Rows"), number(grid->Rows()));
    add(QStringLiteral("SearchStartRow"), number(window->SearchStartRow));
    add(QStringLiteral("cmdEdit.enabled"), flag(window->cmdEdit->isEnabled()));
    add(QStringLiteral("FrameSearchDetail.visible"), flag(window->FrameSearchDetail->isVisibleTo(window)));
    add(QStringLiteral("frmRemainedtoday.visible"), flag(window->frmRemainedtoday->isVisibleTo(window)));
    add(QStringLiteral("width"), number(PixelsToTwips(window->width())));
    add(QStringLiteral("height"), number(PixelsToTwips(window->height())));

    // Every control where it sits in its container, in twips as the layout gives them.
    QStringList names = window->Controls.keys();
    names.sort();
    for (const QString &name : std::as_const(names)) {
        const QRect place = window->Controls.value(name)->geometry();
        add(QStringLiteral("geometry.") + name, QStringLiteral("%1 %2 %3 %4")
                                                   .arg(PixelsToTwips(place.left()))
                                                   .arg(PixelsToTwips(place.top()))
                                                   .arg(PixelsToTwips(place.width()))
                                                   .arg(PixelsToTwips(place.height())));
    }
    for (const QString &name : std::as_const(checkedItems))
        add(QStringLiteral("checked"), name);
    for (int k = 0; k < window->mnuPeriodSpec.size(); ++k)
        if (window->mnuPeriodSpec.at(k)->isChecked())
            add(QStringLiteral("checked"), QStringLiteral("mnuPeriodSpec(%1)").arg(k));
    add(QStringLiteral("tooltip"), grid->ToolTipText());
    appendRowColors(out, grid);
    return out;
}
