#pragma once
// Internal to the platform layer: conversions between the library's types and Qt's.
// Includes Qt headers, so only platform .cpp files may include it.

#include "platform/canvas/VisualLayer.h"
#include "platform/core/StrUtils.h"
#include "platform/core/Types.h"

#include <QCursor>
#include <QString>

#include <string>

// 8-bit (Windows-1252) text <-> Qt.
inline QString ToQString(const std::string& s)
{
    const std::u16string u = Win1252ToUtf16(s);
    return QString::fromUtf16(u.data(), qsizetype(u.size()));
}

inline std::string FromQString(const QString& s)
{
    return Utf16ToWin1252(std::u16string_view(reinterpret_cast<const char16_t*>(s.utf16()), size_t(s.size())));
}

// File paths travel in the file system's own encoding so that they open what was chosen.
std::string PathFromQString(const QString& s);
QString PathToQString(const std::string& s);

// Windows virtual-key code of a Qt key event (0 when the key has none).
int VirtualKeyFromQt(int qtKey, Qt::KeyboardModifiers modifiers);
TShiftState ShiftStateFromQt(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons = Qt::NoButton);

Qt::CursorShape CursorShapeFor(TCursor cursor);
