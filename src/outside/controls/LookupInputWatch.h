#pragma once
// Focus and key notifications for a control made of several widgets. The
// control "has the focus" while any of its widgets has it; moving between its
// own widgets, or to another window such as its own look-up dialog, is not a
// focus change of the control (as in the host's forms, where switching
// windows does not make a field lose its focus).

#include <QObject>

class QWidget;

class LookupInputWatch : public QObject
{
    Q_OBJECT
public:
    explicit LookupInputWatch(QWidget *control);

    // Key presses in this child are reported (and still handled by the child).
    void watchKeys(QWidget *child);
    bool hasFocus() const { return m_hasFocus; }

signals:
    void focusIn();
    void focusOut();
    void keyDown(int key, Qt::KeyboardModifiers modifiers);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void focusMoved(QWidget *now);

    QWidget *m_control;
    bool m_hasFocus = false;
};
