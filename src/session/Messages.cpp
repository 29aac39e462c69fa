#include "session/Messages.h"

#include "outside/components/ComponentRegistry.h"

#include <QMetaObject>

namespace {

const char *const kMessageComponent = "comMessage.comMSG";

// Colours of the dialog, as 0x00BBGGRR values.
constexpr int kFormBackColor = 14799304;
constexpr int kBtmBackColor = 12490375;
constexpr int kFrameBackColor = 15655647;

enum FormType { MessageForm = 0, QuestionForm = 1 };

// Creates the component, fills it in the designed order and shows it.
// Returns the component (for reading the answer), or nullptr when it is
// missing. Failures while filling it are ignored, as the dialog is advisory.
std::unique_ptr<QObject> showDialog(const QVariant &title, const QString &message, FormType type)
{
    std::unique_ptr<QObject> dialog = CreateComponent(QString::fromLatin1(kMessageComponent));
    if (!dialog)
        return nullptr;
    dialog->setProperty("FormTitle", title);
    dialog->setProperty("FormMessage", message);
    dialog->setProperty("FormType", int(type));
    dialog->setProperty("FormBackColor", kFormBackColor);
    dialog->setProperty("BtmBackColor", kBtmBackColor);
    dialog->setProperty("FrameBackColor", kFrameBackColor);
    QMetaObject::invokeMethod(dialog.get(), "ClearShow");
    return dialog;
}

} // namespace

void ShowMessage(const QVariant &title, const QString &message)
{
    showDialog(title, message, MessageForm);
}

int AskQuestion(const QVariant &title, const QString &message)
{
    const std::unique_ptr<QObject> dialog = showDialog(title, message, QuestionForm);
    if (!dialog)
        return AnswerNone;
    const QVariant answer = dialog->property("Resualt");
    bool ok = false;
    const int value = answer.toInt(&ok);
    if (!ok)
        return AnswerNone;
    return value == 1 ? AnswerYes : value == 0 ? AnswerNo : AnswerNone;
}
