#include "split/EscapeWatcher.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace tavo::split {

TEscapeWatcher::TEscapeWatcher(std::function<void()> OnEscape) : FOnEscape(std::move(OnEscape))
{
    QCoreApplication::instance()->installEventFilter(this);
}

TEscapeWatcher::~TEscapeWatcher()
{
    if (QCoreApplication::instance() != nullptr)
        QCoreApplication::instance()->removeEventFilter(this);
}

void TEscapeWatcher::Dismiss(std::unique_ptr<TEscapeWatcher>& Watcher)
{
    if (!Watcher)
        return;
    if (QCoreApplication::instance() != nullptr)
        QCoreApplication::instance()->removeEventFilter(Watcher.get());
    Watcher->FOnEscape = nullptr;
    Watcher.release()->deleteLater();
}

bool TEscapeWatcher::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(Event)->key() == Qt::Key_Escape) {
        // The action usually ends the drag and with it this watcher: call a copy.
        auto action = FOnEscape;
        if (action)
            action();
        return true;
    }
    return QObject::eventFilter(Watched, Event);
}

}  // namespace tavo::split
