#include "outside/controls/ElidingLabel.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QPainter>
#include <QStyle>
#include <QtMath>

namespace {
constexpr int TextPadding = 2; // each side, between the frame and the text
const QString Ellipsis = QStringLiteral("…");
} // namespace

ElidingLabel::ElidingLabel(QWidget *parent)
    : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setWordWrap(false);
    setAlignment(Qt::AlignLeading | Qt::AlignVCenter);
}

void ElidingLabel::setFullText(const QString &text)
{
    setText(text);
    refreshToolTip();
    updateGeometry();
    update();
}

QRect ElidingLabel::textRect() const
{
    return contentsRect().adjusted(margin() + TextPadding, margin(), -margin() - TextPadding, -margin());
}

int ElidingLabel::widthShowing(const QString &text) const
{
    // Rounded up: a text a fraction of a pixel wider than its room is cut.
    const QMargins around = contentsMargins();
    return qCeil(QFontMetricsF(font(), this).horizontalAdvance(text)) + around.left() + around.right()
        + 2 * (margin() + TextPadding);
}

bool ElidingLabel::isElided() const
{
    return QFontMetricsF(font(), this).horizontalAdvance(text()) > textRect().width();
}

QSize ElidingLabel::sizeHint() const
{
    return QSize(widthShowing(text()), QLabel::sizeHint().height());
}

QSize ElidingLabel::minimumSizeHint() const
{
    // Room for "…" and about two letters: the rest is in the tool tip.
    return QSize(widthShowing(Ellipsis) + 2 * fontMetrics().averageCharWidth(), QLabel::minimumSizeHint().height());
}

void ElidingLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    drawFrame(&painter);
    const QRect rect = textRect();
    // Cut at the text's end: for Persian that is its left side. Whether to
    // cut is decided by isElided alone, so the picture and the tool tip agree.
    const QString shown = isElided() ? fontMetrics().elidedText(text(), Qt::ElideRight, rect.width()) : text();
    const int flags = int(QStyle::visualAlignment(layoutDirection(), alignment())) | Qt::TextSingleLine;
    style()->drawItemText(&painter, rect, flags, palette(), isEnabled(), shown, foregroundRole());
}

void ElidingLabel::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    refreshToolTip();
}

void ElidingLabel::changeEvent(QEvent *event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        refreshToolTip();
        updateGeometry();
    }
}

void ElidingLabel::refreshToolTip()
{
    const QString wanted = isElided() ? text() : QString();
    if (toolTip() != wanted)
        setToolTip(wanted);
}
