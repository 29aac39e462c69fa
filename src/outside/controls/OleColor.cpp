#include "outside/controls/OleColor.h"

#include <QGuiApplication>
#include <QPalette>

namespace {

// System colour indexes of the host platform, mapped onto the palette roles
// that play the same part on this desktop.
QColor systemColor(quint32 index)
{
    const QPalette palette = QGuiApplication::palette();
    switch (index) {
    case 0:  return palette.color(QPalette::Button);          // scroll bar
    case 1:  return palette.color(QPalette::Window);          // desktop
    case 2:  return palette.color(QPalette::Active, QPalette::Highlight);   // active caption
    case 3:  return palette.color(QPalette::Inactive, QPalette::Highlight); // inactive caption
    case 4:  return palette.color(QPalette::Window);          // menu bar
    case 5:  return palette.color(QPalette::Base);            // window background
    case 6:  return palette.color(QPalette::Shadow);          // window frame
    case 7:  return palette.color(QPalette::WindowText);      // menu text
    case 8:  return palette.color(QPalette::Text);            // window text
    case 9:  return palette.color(QPalette::HighlightedText); // caption text
    case 10: return palette.color(QPalette::Mid);             // active border
    case 11: return palette.color(QPalette::Mid);             // inactive border
    case 12: return palette.color(QPalette::Dark);            // application workspace
    case 13: return palette.color(QPalette::Highlight);
    case 14: return palette.color(QPalette::HighlightedText);
    case 15: return palette.color(QPalette::Button);          // button face
    case 16: return palette.color(QPalette::Dark);            // button shadow
    case 17: return palette.color(QPalette::Disabled, QPalette::Text); // grey text
    case 18: return palette.color(QPalette::ButtonText);
    case 19: return palette.color(QPalette::Inactive, QPalette::HighlightedText);
    case 20: return palette.color(QPalette::Light);           // button highlight
    case 21: return palette.color(QPalette::Shadow);          // 3-D dark shadow
    case 22: return palette.color(QPalette::Midlight);        // 3-D light
    case 23: return palette.color(QPalette::ToolTipText);
    case 24: return palette.color(QPalette::ToolTipBase);
    default: return palette.color(QPalette::Base);
    }
}

} // namespace

QColor OleColorToQColor(quint32 ole)
{
    if (ole & 0x80000000u)
        return systemColor(ole & 0xFFu);
    return QColor(int(ole & 0xFFu), int((ole >> 8) & 0xFFu), int((ole >> 16) & 0xFFu));
}

QString OleColorText(quint32 ole)
{
    return QString::number(qint32(ole));
}

quint32 OleColorFromText(QStringView text)
{
    bool ok = false;
    const qint64 value = text.trimmed().toLongLong(&ok);
    if (!ok || value < INT32_MIN || value > qint64(UINT32_MAX))
        return 0;
    return quint32(value);
}
