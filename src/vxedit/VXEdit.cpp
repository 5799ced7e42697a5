// The validating field: colours and hints, focus and the check on exit, keys, help, chosen
// texts and Enter.
#include "vxedit/VXEdit.h"

#include <QApplication>
#include <QFocusEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QTimer>
#include <QToolTip>
#include <QValidator>

#include "platform/AnsiText.h"
#include "platform/StringTable.h"
#include "strings/StringIds.h"
#include "tools/ControlHelp.h"
#include "tools/MessageBoxes.h"
#include "tools/TextRoutines.h"
#include "vxedit/VXEditAccessible.h"
#include "vxedit/VXEditText.h"

namespace tavo::vxedit {

namespace {

TErrorBeep& Beeper()
{
    static TErrorBeep beep;
    return beep;
}

void ErrorBeep()
{
    if (Beeper())
        Beeper()();
    else
        QApplication::beep();
}

// Typed, pasted, dropped or set: every way into the text passes here, so no control
// character ever stands in it, and the change notification sees the text without them.
class TControlCharFilter : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& Input, int&) const override
    {
        Input = WithoutControlChars(std::move(Input));
        return Acceptable;
    }
};

// The help context of a window, 0 for a scope and back as it was on every way out.
class THelpContextScope {
public:
    explicit THelpContextScope(QWidget* Window)
        : FWindow(Window), FSaved(tools::HelpContext(Window))
    {
        tools::SetHelpContext(Window, 0);
    }
    ~THelpContextScope()
    {
        if (FWindow)
            tools::SetHelpContext(FWindow, FSaved);
    }
    THelpContextScope(const THelpContextScope&) = delete;
    THelpContextScope& operator=(const THelpContextScope&) = delete;

private:
    QPointer<QWidget> FWindow;
    int32_t FSaved;
};

lookup::TReturnStr ReturnStrOf(int32_t PopupIndex)
{
    return PopupIndex >= lookup::rsCaption && PopupIndex <= lookup::rsIdStr
               ? static_cast<lookup::TReturnStr>(PopupIndex)
               : lookup::rsCaption;
}

// Leaving for a menu or another window is no leaving of the field: its check runs when the
// focus moves on within the form.
bool IsFieldChange(Qt::FocusReason Reason)
{
    return Reason != Qt::ActiveWindowFocusReason && Reason != Qt::PopupFocusReason &&
           Reason != Qt::MenuBarFocusReason;
}

}  // namespace

EInvalidCast::EInvalidCast() : platform::Exception(platform::LoadStr(SInvalidCast)) {}

TErrorBeep SetErrorBeep(TErrorBeep Beep)
{
    return std::exchange(Beeper(), std::move(Beep));
}

// ---- Construction, colours and hints ------------------------------------------------------

TCustomVXEdit::TCustomVXEdit(QWidget* Parent)
    : QLineEdit(Parent), FColor(tools::clWindow), FNormalColor(tools::clWindow)
{
    InstallVXEditAccessibility();
    setValidator(new TControlCharFilter(this));
    // The pointer shape follows the button area.
    setMouseTracking(true);
    FButtonArea = new TVXEditButtonArea(this);
    UpdateEditRect();
}

TCustomVXEdit::~TCustomVXEdit()
{
    lookup::Relink(this, FLookUp, nullptr);
}

void TCustomVXEdit::SetDisplayStyle(TDisplayStyle Value)
{
    if (Value != FDisplayStyle) {
        FDisplayStyle = Value;
        update();
    }
}

void TCustomVXEdit::SetAlignment(TAlignment Value)
{
    if (Value != FAlignment) {
        FAlignment = Value;
        update();
    }
}

void TCustomVXEdit::SetLookUp(TCustomLookUp* Value)
{
    // Linked, the field draws a changed row at once.
    if (lookup::Relink(this, FLookUp, Value))
        update();
}

void TCustomVXEdit::LookUpChanged(TCustomLookUp&)
{
    update();
}

void TCustomVXEdit::LookUpDestroying(TCustomLookUp&)
{
    SetLookUp(nullptr);
}

void TCustomVXEdit::SetCurrentColor(TColor Value)
{
    FColor = Value;
    QPalette colours = palette();
    colours.setColor(QPalette::Base, tools::ToQColor(Value));
    setPalette(colours);
    update();
}

void TCustomVXEdit::SetNormalColor(TColor Value)
{
    FNormalColor = Value;
    SetCurrentColor(Value);
}

std::string TCustomVXEdit::Hint() const
{
    return tools::ControlHint(this);
}

void TCustomVXEdit::SetCurrentHint(const std::string& Value)
{
    FSettingHint = true;
    setToolTip(platform::FromAnsi(Value));
    FSettingHint = false;
}

void TCustomVXEdit::SetNormalHint(const std::string& Value)
{
    FNormalHint = Value;
    SetCurrentHint(Value);
}

void TCustomVXEdit::SetNormalShowHint(bool Value)
{
    FNormalShowHint = Value;
    FShowHint = Value;
}

void TCustomVXEdit::Loaded()
{
    FNormalColor = FColor;
    FNormalHint = Hint();
    FNormalShowHint = FShowHint;
}

bool TCustomVXEdit::event(QEvent* Event)
{
    switch (Event->type()) {
    case QEvent::ToolTipChange:
        // A tool tip set by the application is the field's normal hint.
        if (!FSettingHint)
            FNormalHint = Hint();
        break;
    case QEvent::ToolTip: {
        // Only the short part of a hint shows, and only while hints are switched on.
        const std::string hint = Hint();
        if (!FShowHint || hint.empty()) {
            QToolTip::hideText();
            Event->ignore();
        } else {
            QToolTip::showText(static_cast<QHelpEvent*>(Event)->globalPos(),
                               platform::FromAnsi(tools::HintCaption(hint)), this);
        }
        return true;
    }
    default:
        break;
    }
    return QLineEdit::event(Event);
}

void TCustomVXEdit::changeEvent(QEvent* Event)
{
    QLineEdit::changeEvent(Event);
    if (Event->type() == QEvent::ReadOnlyChange || Event->type() == QEvent::EnabledChange) {
        UpdateEditRect();
        update();
    }
}

// ---- What descendants decide ----------------------------------------------------------------

std::string TCustomVXEdit::GetErrorText() const
{
    return {};
}

TColor TCustomVXEdit::GetErrorColor() const
{
    return tools::clRed;
}

uint8_t TCustomVXEdit::GetButtonKind() const
{
    return bkNone;
}

std::array<std::string, 2> TCustomVXEdit::GetLogicalTexts() const
{
    return {platform::LoadStr(SFalse), platform::LoadStr(STrue)};
}

TCustomLookUp* TCustomVXEdit::GetLookUp() const
{
    return FLookUp;
}

uint8_t TCustomVXEdit::GetValueKind() const
{
    return vkText;
}

bool TCustomVXEdit::GetRequired() const
{
    return false;
}

bool TCustomVXEdit::GetReplaceMode() const
{
    return true;
}

int32_t TCustomVXEdit::GetPopupIndex() const
{
    return 0;
}

std::string TCustomVXEdit::GetDisplayText() const
{
    // What the field shows: a password field shows its echo, not its text.
    return platform::ToAnsi(displayText());
}

const QImage* TCustomVXEdit::GetGlyph()
{
    const QImage* glyph = nullptr;
    bool useDefault = true;
    if (OnGetGlyph)
        OnGetGlyph(this, glyph, useDefault);
    if (!useDefault)
        return glyph;
    TCustomLookUp* lookup = GetLookUp();
    if (!lookup)
        return nullptr;
    const int32_t index = lookup->IndexOfCaption(platform::ToAnsi(text()));
    if (index < 0 || index >= lookup->Count())
        return nullptr;
    lookup::TCustomLookUpItem* item = lookup->GetItem(index);
    return item ? item->GetGlyph() : nullptr;
}

// ---- Chosen texts ---------------------------------------------------------------------------

TSetTextEvent TCustomVXEdit::ChosenTextSetter()
{
    return [self = QPointer<TCustomVXEdit>(this),
            replace = GetReplaceMode()](QObject*, const std::string& NewText) {
        if (self)
            self->PutChosenText(NewText, replace);
    };
}

void TCustomVXEdit::PutChosenText(const std::string& NewText, bool Replace)
{
    if (isReadOnly())
        return;
    const QString chosen = WithoutControlChars(platform::FromAnsi(NewText));
    if (Replace) {
        const bool differs = chosen != text();
        setText(chosen);
        setModified(differs);
        selectAll();
        return;
    }
    // Inserted at the caret in place of the selection. Everything after the caret stays;
    // the field's length limit cuts the inserted text, never what was there.
    if (!tools::IsBlank(NewText))
        insert(chosen);
    setFocus();
}

// ---- Focus and the check --------------------------------------------------------------------

void TCustomVXEdit::focusInEvent(QFocusEvent* Event)
{
    const bool entering = IsFieldChange(Event->reason());
    if (entering) {
        SetCurrentColor(FNormalColor);
        SetCurrentHint(FNormalHint);
        FShowHint = FNormalShowHint;
        FValid = true;
    }
    QLineEdit::focusInEvent(Event);
    update();
    if (entering)
        selectAll();
}

void TCustomVXEdit::focusOutEvent(QFocusEvent* Event)
{
    if (IsFieldChange(Event->reason()))
        tools::Guarded([this] { CheckText(); })();
    QLineEdit::focusOutEvent(Event);
    FButtonState = 0;
    FHeld = false;
    FreeRepeatTimer();
    update();
}

bool TCustomVXEdit::CheckText()
{
    FValid = true;
    if (isEnabled()) {
        const TCheckOutcome outcome =
            CheckFieldText(GetValueKind(), platform::ToAnsi(text()), GetLookUp(), FCheckInList,
                           GetRequired(), GetLogicalTexts());
        FValid = outcome.Valid;
        if (outcome.Text) {
            const bool modified = isModified();
            setText(platform::FromAnsi(*outcome.Text));
            setModified(modified);
        }
        if (!FValid) {
            SetCurrentColor(GetErrorColor());
            FShowHint = true;
            const std::string error = GetErrorText();
            if (!tools::IsBlank(error))
                SetCurrentHint(error);
            else if (!outcome.Reason.empty())
                SetCurrentHint(outcome.Reason);
        }
    }
    update();
    return FValid;
}

// ---- Keys, help and Enter -------------------------------------------------------------------

void TCustomVXEdit::keyPressEvent(QKeyEvent* Event)
{
    const int key = Event->key();
    const bool spin = GetButtonKind() == bkSpin;
    auto handled = [Event] { Event->accept(); };
    if (key == Qt::Key_F1) {
        tools::Guarded([this] { ShowHelp(); })();
        return handled();
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (!spin && OnKeyDown) {
            int down = key;
            tools::Guarded([&] { OnKeyDown(this, down, Event->modifiers()); })();
        }
        tools::Guarded([this] { PressDefaultButton(); })();
        return handled();
    }
    if (spin && (key == Qt::Key_Up || key == Qt::Key_Down)) {
        tools::Guarded([this, key] { key == Qt::Key_Up ? SpinUp() : SpinDown(); })();
        return handled();
    }
    if (!spin && key == Qt::Key_Down && (Event->modifiers() & Qt::AltModifier)) {
        tools::Guarded([this] { OpenChooser(); })();
        return handled();
    }
    if (OnKeyDown) {
        int down = key;
        OnKeyDown(this, down, Event->modifiers());
        if (down == 0)
            return handled();
    }
    QLineEdit::keyPressEvent(Event);
}

void TCustomVXEdit::ShowHelp()
{
    const THelpContextScope context(window());
    if (isReadOnly()) {
        if (!tools::IsBlank(Hint()))
            tools::ShowControlHelp(this);
        return;
    }
    const TSetTextEvent setText = ChosenTextSetter();
    if (OnHelp) {
        OnHelp(this, platform::ToAnsi(text()), setText);
        tools::SuppressNextHelpMessage();
    } else if (!tools::IsBlank(Hint())) {
        tools::ShowControlHelp(this);
    } else if (TCustomLookUp* lookup = GetLookUp()) {
        lookup->PopupUnder(this, ReturnStrOf(GetPopupIndex()), setText);
        tools::SuppressNextHelpMessage();
    }
}

void TCustomVXEdit::ButtonClick(int32_t X, int32_t Y, int32_t Width, int32_t Height)
{
    if (isReadOnly())
        return;
    const TSetTextEvent setText = ChosenTextSetter();
    const QPointer<TCustomVXEdit> self(this);
    setFocus(Qt::MouseFocusReason);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    if (!self)
        return;
    if (OnButtonClick)
        OnButtonClick(this, platform::ToAnsi(text()), setText, X, Y, Width, Height);
    else if (TCustomLookUp* lookup = GetLookUp())
        lookup->PopupUnder(this, ReturnStrOf(GetPopupIndex()), setText);
    else
        ShowHelp();
}

void TCustomVXEdit::OpenChooser()
{
    if (GetButtonKind() > bkSpin) {
        const QPoint corner = mapToGlobal(QPoint(0, 0));
        ButtonClick(corner.x(), corner.y(), width(), height());
    } else if (TCustomLookUp* lookup = GetLookUp(); lookup && !isReadOnly()) {
        lookup->PopupUnder(this, ReturnStrOf(GetPopupIndex()), ChosenTextSetter());
    }
}

void TCustomVXEdit::PressDefaultButton()
{
    QWidget* form = window();
    if (form == this)
        throw EInvalidCast();
    const QList<QPushButton*> buttons = form->findChildren<QPushButton*>();
    for (QPushButton* button : buttons) {
        if (button->isDefault() && button->isEnabled() && button->isVisible()) {
            // Pressed once this key is done with, as a click on it would be.
            QMetaObject::invokeMethod(
                button, [button] { button->click(); }, Qt::QueuedConnection);
            return;
        }
    }
    if (QWidget* parent = parentWidget())
        QCoreApplication::postEvent(
            parent, new QKeyEvent(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier));
}

// ---- Spin steps ------------------------------------------------------------------------------

void TCustomVXEdit::SpinUp()
{
    if (isReadOnly())
        ErrorBeep();
    else if (OnSpinUp)
        OnSpinUp(this);
    if (OnSpinClick)
        OnSpinClick(this);
}

void TCustomVXEdit::SpinDown()
{
    if (isReadOnly())
        ErrorBeep();
    else if (OnSpinDown)
        OnSpinDown(this);
    if (OnSpinClick)
        OnSpinClick(this);
}

// ---- TVXEdit ----------------------------------------------------------------------------------

void TVXEdit::SetButtonKind(uint8_t Value)
{
    if (Value == FButtonKind)
        return;
    FButtonKind = Value;
    UpdateEditRect();
    update();
}

std::array<std::string, 2> TVXEdit::GetLogicalTexts() const
{
    if (FLogicalTexts[0].empty() && FLogicalTexts[1].empty())
        return TCustomVXEdit::GetLogicalTexts();
    return FLogicalTexts;
}

}  // namespace tavo::vxedit
