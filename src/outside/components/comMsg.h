#pragma once
// The message component "comMessage.comMSG": a modal, right-to-left dialog
// showing a message with an OK button, or a question with yes and no. The
// caller fills the properties and calls ClearShow; a question leaves its
// answer in Resualt (the property's name is the component's own spelling).

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

class comMsg : public QDialog
{
    Q_OBJECT
    Q_PROPERTY(QString FormTitle READ FormTitle WRITE setFormTitle)
    Q_PROPERTY(QString FormMessage READ FormMessage WRITE setFormMessage)
    Q_PROPERTY(int FormType READ FormType WRITE setFormType)
    Q_PROPERTY(int FormBackColor READ FormBackColor WRITE setFormBackColor)
    Q_PROPERTY(int BtmBackColor READ BtmBackColor WRITE setBtmBackColor)
    Q_PROPERTY(int FrameBackColor READ FrameBackColor WRITE setFrameBackColor)
    Q_PROPERTY(int Resualt READ Resualt WRITE setResualt)

public:
    enum Type { Message = 0, Question = 1 };
    enum Answer { NoAnswer = -1, No = 0, Yes = 1 };

    explicit comMsg(QWidget *parent = nullptr);

    QString FormTitle() const { return m_title; }
    void setFormTitle(const QString &title) { m_title = title; }
    QString FormMessage() const { return m_message; }
    void setFormMessage(const QString &message) { m_message = message; }
    // 0 message with an OK button, 1 question with yes and no; anything else shows as a message.
    int FormType() const { return m_type; }
    void setFormType(int type) { m_type = type; }

    // Colours as 0x00BBGGRR values (system colours from 0x80000000): the
    // dialog, the button bar and the frame around the message.
    int FormBackColor() const { return m_formBackColor; }
    void setFormBackColor(int color) { m_formBackColor = color; }
    int BtmBackColor() const { return m_btmBackColor; }
    void setBtmBackColor(int color) { m_btmBackColor = color; }
    int FrameBackColor() const { return m_frameBackColor; }
    void setFrameBackColor(int color) { m_frameBackColor = color; }

    // 1 yes (or OK), 0 no, -1 when the dialog was closed without an answer.
    int Resualt() const { return m_result; }
    void setResualt(int result) { m_result = result; }

    // Shows the dialog modally with the current properties and returns when
    // it is closed. Resualt starts at -1 on each call.
    Q_INVOKABLE void ClearShow();

    // For tests and for driving the dialog without a person.
    QPushButton *yesButton() const { return m_yes; } // "تاييد" for a message
    QPushButton *noButton() const { return m_no; }   // hidden for a message

private:
    void answer(int result);
    void applyProperties();

    QString m_title;
    QString m_message;
    int m_type = Message;
    int m_formBackColor = 14799304;  // the colours the component is shown with by default
    int m_btmBackColor = 12490375;
    int m_frameBackColor = 15655647;
    int m_result = NoAnswer;

    QLabel *m_titleLabel;
    QLabel *m_icon;
    QLabel *m_messageLabel;
    QFrame *m_frame;
    QFrame *m_buttonBar;
    QPushButton *m_yes;
    QPushButton *m_no;
};
