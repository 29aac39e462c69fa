#pragma once
// Steps of an unattended run (--do ACTION), done on the ledger window as a
// person would do them: typing into the focused field, pressing keys,
// clicking the window's named buttons and menu items. The window's own
// handlers run from the widgets' signals, never by a direct call. Also the
// window's state as text (--dump-state).

#include <QKeySequence>
#include <QString>
#include <QStringList>

class frmAccountDetails;

namespace DemoActions {

struct Action
{
    enum class Kind { Set, Click, Key, Type, Resize, Wait };
    Kind kind = Kind::Wait;
    QString text;      // as given, for messages
    QString target;    // Set, Click: a control or menu item name
    QString value;     // Set: the typed value; Type: the text
    QKeySequence keys; // Key
    int width = 0;     // Resize
    int height = 0;
    int milliseconds = 0; // Wait
};

// "set NAME VALUE", "click NAME", "key SEQUENCE", "type TEXT", "resize WxH",
// "wait MS". Throws std::runtime_error for an unknown or malformed action.
Action Parse(const QString &text);

// Does one step on the shown window. Throws std::runtime_error when the
// window has no such control, or a person could not do the step (the control
// is disabled or hidden, nothing has the keyboard focus).
void Perform(frmAccountDetails *window, const Action &action);

// Shows the window and makes it the active one, so that focus changes and
// the window's hot keys behave as they do for a person.
void Activate(frmAccountDetails *window);

// The summary fields in their designed order, as both dumps write them.
const QStringList &SummaryFieldNames();

// One "name<TAB>value" line per item: title, size, focus, the account and
// filter fields, lblMessage, the summary fields, the grid's rows and the
// command buttons' states. Tabs, line breaks and backslashes inside a value
// are written as \t, \n and \\.
QString StateText(frmAccountDetails *window);

} // namespace DemoActions
