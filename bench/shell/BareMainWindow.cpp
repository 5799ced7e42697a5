// The baselines of the start-up race: a Qt main window and nothing else; with "--text",
// a window that shows one line of text, which is what any window with words pays for its
// fonts; with "--tabs", a main window with the shell's three tabs and a line of text, what
// the shell's main window is at the least; with "--line", a bare window (not a main
// window) showing one line of text, what the splash is at the least.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QTabWidget>
#include <cstring>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const char* mode = argc > 1 ? argv[1] : "";
    if (std::strcmp(mode, "--line") == 0) {
        QLabel line(QStringLiteral("Tavo C.H. 3.2"));
        line.setWindowTitle(QStringLiteral("Bare window"));
        line.show();
        return app.exec();
    }
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare main window"));
    window.setMinimumSize(640, 550);
    if (std::strcmp(mode, "--text") == 0) {
        window.setCentralWidget(new QLabel(QStringLiteral("Tavo C.H. 3.2")));
    } else if (std::strcmp(mode, "--tabs") == 0) {
        auto* tabs = new QTabWidget;
        tabs->setTabPosition(QTabWidget::South);
        tabs->addTab(new QLabel(QStringLiteral("Tavo C.H. 3.2")), QStringLiteral("Programs"));
        tabs->addTab(new QWidget, QStringLiteral("Internet"));
        tabs->addTab(new QWidget, QStringLiteral("Manual"));
        window.setCentralWidget(tabs);
    }
    window.showMaximized();
    return app.exec();
}
