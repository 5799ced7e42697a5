#include "vxedit/VXEditAccessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeySequence>

#include "platform/AnsiText.h"
#include "platform/StringTable.h"
#include "strings/StringIds.h"
#include "tools/MessageBoxes.h"
#include "vxedit/VXEdit.h"

namespace tavo::vxedit {

namespace {

// QAccessibleWidget is an action interface already; the actions are the buttons'.
class TButtonAreaAccessible : public QAccessibleWidget {
public:
    explicit TButtonAreaAccessible(TVXEditButtonArea* Area)
        : QAccessibleWidget(Area, QAccessible::Button), FArea(Area)
    {
    }

    bool Spin() const { return FArea->Field()->GetButtonKind() == bkSpin; }

    QAccessible::Role role() const override
    {
        return Spin() ? QAccessible::SpinBox : QAccessible::Button;
    }

    QString text(QAccessible::Text Kind) const override
    {
        if (Kind == QAccessible::Name)
            return platform::FromAnsi(platform::LoadStr(Spin() ? SSpinButtons : SChooseButton));
        return QAccessibleWidget::text(Kind);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.disabled = !FArea->Field()->isEnabled();
        s.focusable = false;
        return s;
    }

    QStringList actionNames() const override
    {
        if (Spin())
            return {increaseAction(), decreaseAction()};
        return {pressAction()};
    }

    void doAction(const QString& Name) override
    {
        TCustomVXEdit* field = FArea->Field();
        if (!field->isEnabled())
            return;
        // What a handler raises goes to the application's handler, as from the keys.
        tools::Guarded([&] {
            if (Spin() && Name == increaseAction()) {
                field->SpinUp();
            } else if (Spin() && Name == decreaseAction()) {
                field->SpinDown();
            } else if (!Spin() && Name == pressAction()) {
                const QPoint corner = field->mapToGlobal(QPoint(0, 0));
                field->ButtonClick(corner.x(), corner.y(), field->width(), field->height());
            }
        })();
    }

    QStringList keyBindingsForAction(const QString& Name) const override
    {
        if (Name == increaseAction())
            return {QKeySequence(Qt::Key_Up).toString(QKeySequence::NativeText)};
        if (Name == decreaseAction())
            return {QKeySequence(Qt::Key_Down).toString(QKeySequence::NativeText)};
        if (Name == pressAction())
            return {QKeySequence(Qt::ALT | Qt::Key_Down).toString(QKeySequence::NativeText)};
        return {};
    }

private:
    TVXEditButtonArea* FArea;
};

QAccessibleInterface* ButtonAreaFactory(const QString&, QObject* Object)
{
    if (auto* area = qobject_cast<TVXEditButtonArea*>(Object))
        return new TButtonAreaAccessible(area);
    return nullptr;
}

}  // namespace

TVXEditButtonArea::TVXEditButtonArea(TCustomVXEdit* Field) : QWidget(Field), FField(Field)
{
    // The field paints the buttons and takes their clicks; this only names them.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    setObjectName(QStringLiteral("ButtonArea"));
}

void InstallVXEditAccessibility()
{
    static bool installed = false;
    if (!installed) {
        QAccessible::installFactory(ButtonAreaFactory);
        installed = true;
    }
}

}  // namespace tavo::vxedit
