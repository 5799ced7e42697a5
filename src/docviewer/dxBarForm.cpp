#include "dxBarForm.h"

#include <QApplication>
#include <QEvent>
#include <QLayout>
#include <QScreen>
#include <QVBoxLayout>
#include <cmath>

#include "tools/ControlHelp.h"
#include "tools/TextToNumber.h"

namespace tavo::docviewer {

int32_t ScaleConstraint(int32_t Value, int32_t Dpi)
{
    if (Value == 0 || Dpi <= 96)
        return Value;
    return static_cast<int32_t>(tools::RoundHalfEven(static_cast<double>(Value) * Dpi / 96.0));
}

TdxBar_Form::TdxBar_Form(QWidget* Parent) : QWidget(Parent) {}

void TdxBar_Form::SetConstraints(const TSizeConstraints& Designed)
{
    FDesigned = Designed;
    ScaleConstraints(logicalDpiX());
}

void TdxBar_Form::ScaleConstraints(int32_t Dpi)
{
    FApplied = {ScaleConstraint(FDesigned.MinWidth, Dpi), ScaleConstraint(FDesigned.MinHeight, Dpi),
                ScaleConstraint(FDesigned.MaxWidth, Dpi),
                ScaleConstraint(FDesigned.MaxHeight, Dpi)};
    setMinimumSize(FApplied.MinWidth, FApplied.MinHeight);
    setMaximumSize(FApplied.MaxWidth > 0 ? FApplied.MaxWidth : QWIDGETSIZE_MAX,
                   FApplied.MaxHeight > 0 ? FApplied.MaxHeight : QWIDGETSIZE_MAX);
}

void TdxBar_Form::AlignClientIn(QWidget* Parent)
{
    setParent(Parent);
    if (!Parent)
        return;
    QLayout* layout = Parent->layout();
    if (!layout) {
        layout = new QVBoxLayout(Parent);
        layout->setContentsMargins(0, 0, 0, 0);
    }
    layout->addWidget(this);
}

int32_t TdxBar_Form::AnsweringHelpContext(const QWidget* Control)
{
    for (const QWidget* w = Control; w; w = w->parentWidget()) {
        int32_t context = tools::HelpContext(w);
        if (context != 0)
            return context;
    }
    return 0;
}

bool TdxBar_Form::event(QEvent* Event)
{
    switch (Event->type()) {
    case QEvent::HelpRequest:
    case QEvent::WhatsThis: {
        QWidget* control = focusWidget();
        if (!control || !isAncestorOf(control))
            control = this;
        int32_t context = AnsweringHelpContext(control);
        if (context == 0 || context == -1) {
            Event->accept();
            return true;
        }
        break;
    }
    case QEvent::ScreenChangeInternal:
        ScaleConstraints(logicalDpiX());
        break;
    default:
        break;
    }
    return QWidget::event(Event);
}

}  // namespace tavo::docviewer
