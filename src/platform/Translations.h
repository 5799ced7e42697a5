#pragma once
// The language of the windows: Polish for a Polish locale, English otherwise. The Polish
// texts (ours and Qt's own for the standard dialogs' buttons) are Qt translation files,
// found relative to the executable like the components.
#include <QString>
#include <QStringList>
#include <functional>

namespace tavo::platform {

enum class TUiLanguage { English, Polish };

// The language the locale variables ask for, read as gettext does: LC_ALL, LC_MESSAGES,
// LANG (the first one set) name the locale; a "C" or "POSIX" locale is English whatever
// LANGUAGE says; otherwise LANGUAGE's colon list is read first, and its first language
// we have (Polish or English) wins. Get returns a variable's value, empty when unset.
TUiLanguage LanguageFromEnvironment(const std::function<QString(const char*)>& Get);
TUiLanguage LanguageFromEnvironment();

// Where translation files are looked for, in order: beside the executable (the disc and
// the build's sample disc), then the installation's share folder.
QStringList TranslationFolders();

// Installs the translators of the environment's language into the application (which
// must exist) and routes the numbered string table through them. Returns the language in
// use: English when the Polish file cannot be loaded.
TUiLanguage InstallTranslations();

// As above, for the given language and folders (tests).
TUiLanguage InstallTranslations(TUiLanguage Language, const QStringList& Folders);

// Removes what InstallTranslations installed (tests).
void RemoveTranslations();

}  // namespace tavo::platform
