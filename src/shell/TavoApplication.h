#pragma once
#include <QApplication>

namespace tavo::shell {

// The application object. An error that escapes an event handler is shown in an error
// box and the program goes on.
class TavoApplication : public QApplication {
    Q_OBJECT
public:
    TavoApplication(int& argc, char** argv);
    bool notify(QObject* Receiver, QEvent* Event) override;
};

}  // namespace tavo::shell
