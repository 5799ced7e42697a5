// tavo-gallery: every library component on a page of its own, including the controls that
// no window of the shell places. For developers and for looking at controls by eye.
//   tavo-gallery [--page N] [--focus NAME] [--screenshot FILE]
#include <QApplication>
#include <QCommandLineParser>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <algorithm>

#include "GalleryPages.h"
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
    tavo::shell::PrepareProcess();
    tavo::shell::LibraryModules modules;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tavo-gallery"));

    QCommandLineParser parser;
    parser.addHelpOption();
    QCommandLineOption pageOption("page", "Page to show first (0-based).", "N", "0");
    QCommandLineOption shotOption("screenshot", "Save a picture of the page and quit.", "FILE");
    QCommandLineOption focusOption("focus", "Give the focus to the page's widget of that name.",
                                   "NAME");
    parser.addOption(pageOption);
    parser.addOption(shotOption);
    parser.addOption(focusOption);
    parser.process(app);

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
