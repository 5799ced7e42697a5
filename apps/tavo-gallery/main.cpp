// tavo-gallery: every library component on a page of its own, including the controls that
// no window of the shell places. For developers and for looking at controls by eye.
//   tavo-gallery [--page N] [--focus NAME] [--screenshot FILE]
#include <QApplication>
#include <QCommandLineParser>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <algorithm>
#include <cstdio>

#include "GalleryPages.h"
#include "identity/Version.h"
#include "platform/Translations.h"
#include "shell/LibraryModules.h"

namespace tavo::gallery {

std::vector<GalleryPage>& GalleryPages()
{
    static std::vector<GalleryPage> pages;
    return pages;
}

}  // namespace tavo::gallery

int main(int argc, char** argv)
{
    using namespace tavo::gallery;
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Every library component on a page of its own."));
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();
    QCommandLineOption pageOption("page", "Page to show first (0-based).", "N", "0");
    QCommandLineOption shotOption("screenshot", "Save a picture of the page and quit.", "FILE");
    QCommandLineOption focusOption("focus", "Give the focus to the page's widget of that name.",
                                   "NAME");
    parser.addOption(pageOption);
    parser.addOption(shotOption);
    parser.addOption(focusOption);
    QCoreApplication::setApplicationName(QStringLiteral("tavo-gallery"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(tavo::identity::kVersion));
    // Help and version are answered before any window system is needed.
    QStringList early;
    for (int i = 0; i < argc; ++i)
        early << QString::fromLocal8Bit(argv[i]);
    if (early.size() == 2 && parser.parse(early) &&
        (parser.isSet(helpOption) || parser.isSet(versionOption))) {
        std::printf(
            "%s",
            qPrintable(parser.isSet(helpOption)
                           ? parser.helpText().replace(QStringLiteral("<executable_name>"),
                                                       QStringLiteral("tavo-gallery"))
                           : QStringLiteral("tavo-gallery %1\n").arg(tavo::identity::kVersion)));
        return 0;
    }

    tavo::shell::PrepareProcess();
    tavo::shell::LibraryModules modules;
    QApplication app(argc, argv);
    tavo::platform::InstallTranslations();
    // The window system's own options are gone from the arguments by now.
    if (!parser.parse(QCoreApplication::arguments()) || !parser.positionalArguments().isEmpty() ||
        parser.isSet(helpOption) || parser.isSet(versionOption)) {
        const QString problem = parser.errorText().isEmpty()
                                    ? QStringLiteral("unexpected arguments")
                                    : parser.errorText();
        std::fprintf(stderr, "tavo-gallery: %s\n%s", qPrintable(problem),
                     qPrintable(parser.helpText()));
        return 2;
    }

    auto pages = GalleryPages();
    std::stable_sort(pages.begin(), pages.end(),
                     [](const GalleryPage& a, const GalleryPage& b) { return a.Order < b.Order; });
    QTabWidget window;
    window.setObjectName(QStringLiteral("Gallery"));
    window.setWindowTitle(QStringLiteral("Tavo component gallery"));
    for (const GalleryPage& page : pages)
        window.addTab(page.Create(&window), page.Title);
    window.setCurrentIndex(parser.value(pageOption).toInt());
    window.resize(900, 640);
    window.show();
    if (parser.isSet(focusOption)) {
        const QString name = parser.value(focusOption);
        if (auto* target = window.currentWidget()->findChild<QWidget*>(name)) {
            window.activateWindow();
            target->setFocus(Qt::TabFocusReason);
        }
    }

    if (parser.isSet(shotOption)) {
        QString file = parser.value(shotOption);
        QTimer::singleShot(300, &window, [&window, file] {
            window.grab().save(file);
            QApplication::quit();
        });
    }
    return app.exec();
}
