// The baseline of the start-up race: a Qt main window and nothing else; with "--text",
// a window that shows one line of text, which is what any window with words pays for its
// fonts.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <cstring>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare main window"));
    window.setMinimumSize(640, 550);
    if (argc > 1 && std::strcmp(argv[1], "--text") == 0)
        window.setCentralWidget(new QLabel(QStringLiteral("Tavo C.H. 3.2")));
    window.showMaximized();
    return app.exec();
}
