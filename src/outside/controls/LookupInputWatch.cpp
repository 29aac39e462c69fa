#include "outside/controls/LookupInputWatch.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

LookupInputWatch::LookupInputWatch(QWidget *control)
    : QObject(control)
    , m_control(control)
{
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget *, QWidget *now) { focusMoved(now); });
}

void LookupInputWatch::watchKeys(QWidget *child)
{
    child->installEventFilter(this);
}

void LookupInputWatch::focusMoved(QWidget *now)
{
    // Focus leaving the application, or going to another window, is ignored.
    if (!now || now->window() != m_control->window())
        return;
    const bool inside = now == m_control || m_control->isAncestorOf(now);
    if (inside == m_hasFocus)
        return;
    m_hasFocus = inside;
    if (inside)
        emit focusIn();
    else
        emit focusOut();
}

bool LookupInputWatch::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        emit keyDown(key->key(), key->modifiers());
    }
    return QObject::eventFilter(watched, event);
}
