#pragma once
// OLE colours as the host's forms and grid store them: 0x00BBGGRR for a plain
// colour (red in the lowest byte), 0x80000000 | index for a system colour that
// follows the desktop's palette. Every conversion to a Qt colour goes through
// here.

#include <QColor>
#include <QString>
#include <QStringView>

namespace OleColors {
inline constexpr quint32 Red = 255;
inline constexpr quint32 SystemWindowBackground = 0x80000005u;
inline constexpr quint32 SystemWindowText = 0x80000008u;
inline constexpr quint32 SystemButtonFace = 0x8000000Fu;
inline constexpr quint32 SystemHighlight = 0x8000000Du;
inline constexpr quint32 SystemHighlightText = 0x8000000Eu;
} // namespace OleColors

QColor OleColorToQColor(quint32 ole);

// The decimal text under which a colour is kept in a grid cell: the value read
// as a signed 32-bit number, so 0x80000005 is "-2147483643" and a plain colour
// keeps its positive value. Reading accepts the signed and the unsigned form;
// a text that is not a number gives 0 (black).
QString OleColorText(quint32 ole);
quint32 OleColorFromText(QStringView text);
