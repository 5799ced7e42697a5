// The baseline of the start-up race: a Qt main window and nothing else.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare main window"));
    window.setMinimumSize(640, 550);
    window.showMaximized();
    return app.exec();
}
