// The demo heating program of the sample disc. It shows that it runs and in which folder
// it was started; with --installed FOLDER it tells the user where it has been installed.
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QStringList args = app.arguments();
    QString text;
    QString title;
    int installed = args.indexOf(QStringLiteral("--installed"));
    if (installed >= 0 && installed + 1 < args.size()) {
        title = QStringLiteral("Tavo C.H. 3.2 - Setup");
        text = QStringLiteral("Tavo C.H. 3.2 has been installed in\n%1").arg(args[installed + 1]);
    } else {
        title = QStringLiteral("Tavo C.H. 3.2");
        text = QStringLiteral("Tavo C.H. 3.2 (demonstration) is running.\n\nCurrent folder:\n%1")
                   .arg(QDir::currentPath());
    }

    QWidget window;
    window.setObjectName(QStringLiteral("DemoWindow"));
    window.setWindowTitle(title);
    auto* layout = new QVBoxLayout(&window);
    auto* label = new QLabel(text, &window);
    label->setObjectName(QStringLiteral("Message"));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(label);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &window);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &window, &QWidget::close);
    layout->addWidget(buttons);
    buttons->button(QDialogButtonBox::Close)->setDefault(true);
    window.resize(420, 160);
    window.show();
    return app.exec();
}
