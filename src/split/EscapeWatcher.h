#pragma once
// While it lives, Escape pressed anywhere in the application runs its action instead of
// reaching the focused control: a drag can be given up without taking the keyboard focus.
#include <QObject>
#include <functional>
#include <memory>

namespace tavo::split {

class TEscapeWatcher : public QObject {
public:
    explicit TEscapeWatcher(std::function<void()> OnEscape);
    ~TEscapeWatcher() override;

    // Stops watching at once and deletes the watcher later, so that its action may end it.
    static void Dismiss(std::unique_ptr<TEscapeWatcher>& Watcher);

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    std::function<void()> FOnEscape;
};

}  // namespace tavo::split
