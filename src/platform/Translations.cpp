#include "Translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>
#include <vector>

#include "StringTableQt.h"

namespace tavo::platform {

namespace {

std::vector<std::unique_ptr<QTranslator>>& Installed()
{
    static std::vector<std::unique_ptr<QTranslator>> translators;
    return translators;
}

// "pl_PL.UTF-8", "pl_PL@euro", "pl" -> "pl"; "C.UTF-8" -> "c".
QString LanguagePart(const QString& Locale)
{
    qsizetype end = 0;
    while (end < Locale.size() && Locale[end] != u'_' && Locale[end] != u'.' &&
           Locale[end] != u'@' && Locale[end] != u'-')
        ++end;
    return Locale.left(end).toLower();
}

bool LoadInto(QTranslator& Translator, const QString& File, const QStringList& Folders)
{
    for (const QString& folder : Folders) {
        if (Translator.load(File, folder))
            return true;
    }
    return false;
}

}  // namespace

TUiLanguage LanguageFromEnvironment(const std::function<QString(const char*)>& Get)
{
    QString locale;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        locale = Get(name);
        if (!locale.isEmpty())
            break;
    }
    const QString localeLanguage = LanguagePart(locale);
    if (localeLanguage.isEmpty() || localeLanguage == u"c" || localeLanguage == u"posix")
        return TUiLanguage::English;
    for (const QString& entry : Get("LANGUAGE").split(u':', Qt::SkipEmptyParts)) {
        const QString language = LanguagePart(entry);
        if (language == u"pl")
            return TUiLanguage::Polish;
        if (language == u"en")
            return TUiLanguage::English;
    }
    return localeLanguage == u"pl" ? TUiLanguage::Polish : TUiLanguage::English;
}

TUiLanguage LanguageFromEnvironment()
{
    return LanguageFromEnvironment([](const char* Name) { return qEnvironmentVariable(Name); });
}

QStringList TranslationFolders()
{
    const QString dir = QCoreApplication::applicationDirPath();
    return {dir + QStringLiteral("/translations"),
            QDir::cleanPath(dir + QStringLiteral("/../share/tavo-disc/translations"))};
}

TUiLanguage InstallTranslations()
{
    return InstallTranslations(LanguageFromEnvironment(), TranslationFolders());
}

TUiLanguage InstallTranslations(TUiLanguage Language, const QStringList& Folders)
{
    RemoveTranslations();
    if (Language != TUiLanguage::Polish)
        return TUiLanguage::English;
    auto own = std::make_unique<QTranslator>();
    if (!LoadInto(*own, QStringLiteral("tavo_pl"), Folders)) {
        qWarning("The Polish translation tavo_pl.qm was not found in %s; the windows stay English.",
                 qPrintable(Folders.join(QStringLiteral(", "))));
        return TUiLanguage::English;
    }
    // Qt's own texts (the standard dialogs' buttons): carried beside ours on the disc, else
    // the system's Qt translations.
    auto qt = std::make_unique<QTranslator>();
    if (LoadInto(*qt, QStringLiteral("qtbase_pl"),
                 Folders + QStringList{QLibraryInfo::path(QLibraryInfo::TranslationsPath)}))
        QCoreApplication::installTranslator(qt.get());
    else
        qt.reset();
    QCoreApplication::installTranslator(own.get());
    Installed().push_back(std::move(own));
    if (qt)
        Installed().push_back(std::move(qt));
    SetStringTranslator(&TranslateNumberedString);
    return TUiLanguage::Polish;
}

void RemoveTranslations()
{
    SetStringTranslator(nullptr);
    for (const auto& translator : Installed())
        QCoreApplication::removeTranslator(translator.get());
    Installed().clear();
}

}  // namespace tavo::platform
