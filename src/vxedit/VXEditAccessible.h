#pragma once
// Inside the vxedit library: the button area as screen readers see it. The field paints its
// buttons itself; an invisible child widget over them stands for them among the field's
// accessible children: spin buttons answer the increase and decrease actions, a push button
// the press action, each with the key that does the same from the field.
#include <QWidget>

namespace tavo::vxedit {

class TCustomVXEdit;

class TVXEditButtonArea : public QWidget {
    Q_OBJECT
public:
    explicit TVXEditButtonArea(TCustomVXEdit* Field);
    TCustomVXEdit* Field() const { return FField; }

private:
    TCustomVXEdit* FField;
};

// Lets QAccessible find the button area's interface; acts once.
void InstallVXEditAccessibility();

}  // namespace tavo::vxedit
