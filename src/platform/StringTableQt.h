#pragma once
// The numbered string table through Qt's translators. Header-only, so that a component
// (which carries its own copy of the table) routes its strings the same way.
#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <string>

#include "AnsiText.h"
#include "StringTranslator.h"

namespace tavo::platform {

// The context of the numbered strings in the translation files; each message carries its
// number as the disambiguation, so a language's file is the table in that language.
inline constexpr const char* kStringTableContext = "StringTable";

// A TStringTranslator: the installed translation of string Id, in Windows-1250 (which holds
// every Polish letter); Source itself when none is installed.
inline std::string TranslateNumberedString(int32_t Id, const std::string& Source)
{
    const QByteArray key = QByteArray::fromStdString(AnsiToUtf8(Source));
    const QByteArray number = QByteArray::number(Id);
    const QString text =
        QCoreApplication::translate(kStringTableContext, key.constData(), number.constData());
    if (text.isEmpty() || text == QString::fromUtf8(key))
        return Source;
    return ToAnsi(text);
}

}  // namespace tavo::platform
