#pragma once
// Windows-1250 library texts to the widgets' QString and back, through the codec table.
#include <QString>
#include <string>

#include "Codec.h"

namespace tavo::platform {

inline QString FromAnsi(const std::string& Ansi)
{
    return QString::fromStdString(AnsiToUtf8(Ansi));
}

// Characters the code page cannot hold become '?': for texts that are shown, never stored.
inline std::string ToAnsi(const QString& Text)
{
    return Utf8ToAnsiLossy(Text.toStdString());
}

}  // namespace tavo::platform
