#pragma once
// Steps of an unattended run (--do ACTION), done on the ledger window as a
// person would do them: typing into a field, pressing keys, clicking the
// window's named buttons and menu items, clicking and pointing at grid cells.
// The window's own handlers run from the widgets' signals and events, never
// by a direct call. Also the window's state as text (--dump-state).

#include <QByteArray>
#include <QKeySequence>
#include <QString>
#include <QStringList>

class frmAccountDetails;

namespace DemoActions {

struct Action
{
    enum class Kind {
        Set, Click, Menu, Key, Type, Select, GridClick, GridDoubleClick, GridRightClick, Hover, Resize, Wait
    };
    Kind kind = Kind::Wait;
    QString text;      // as given, for messages
    QString target;    // Set, Click, Menu: a control or menu item name; Key: the control ("" = the grid)
    QString value;     // Set: the typed value; Type: the text
    QKeySequence keys; // Key
    int row = 0;       // Select: the first row; grid mouse actions: the cell
    int col = 0;
    int lastRow = 0;   // Select
    int width = 0;     // Resize
    int height = 0;
    int milliseconds = 0; // Wait
};

// "set NAME VALUE", "click NAME", "menu NAME", "key SEQUENCE [NAME]",
// "type TEXT", "select FIRST LAST", "grid-click ROW COL",
// "grid-double-click ROW COL", "grid-right-click ROW COL", "hover ROW COL",
// "resize WIDTH HEIGHT" (or WIDTHxHEIGHT), "wait MS". Throws
// std::runtime_error for an unknown or malformed action.
Action Parse(const QString &text);

// Does one step on the shown window. Throws std::runtime_error when the
// window has no such control, menu item or cell, or a person could not do the
// step (the control is disabled or hidden, nothing has the keyboard focus).
// A disabled menu item is the exception: choosing it does nothing, as a click
// on it does, and "menu NAME: disabled" goes to standard error. A window
// closed by the step is deleted before this returns.
void Perform(frmAccountDetails *window, const Action &action);

// Shows the window and makes it the active one, so that focus changes and
// the window's hot keys behave as they do for a person.
void Activate(frmAccountDetails *window);

// The summary fields in their designed order, as both dumps write them.
const QStringList &SummaryFieldNames();

// One "name<TAB>value" line per item, in UTF-8 (see README.md for the list):
// title, size, focus, the account and filter fields, lblMessage, the summary
// fields, the grid's size, current cell, selection and rows' colours, the
// command buttons' states, the checked menu items, and every control's
// geometry. Tabs, line breaks and backslashes inside a value are written as
// \t, \n and \\. Reading the state changes nothing in the window.
QByteArray StateText(frmAccountDetails *window);

} // namespace DemoActions
