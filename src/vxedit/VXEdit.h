#pragma once
// The maker's validating single-line field. On top of the line edit it has a button area at
// its right edge (spin buttons that repeat while held, or a push button that opens a
// chooser), an optional link to a lookup whose captions are the texts it accepts and which
// draws its value while it has no focus, and a check when the focus leaves it: an invalid
// field turns red and gives the reason as its hint until it gets the focus back. F1 shows
// its help, Enter presses the form's default button, and control characters never get
// into its text (the field's own validator takes them out: keep it).
#include <QLineEdit>
#include <QPointer>
#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "lookup/LookUpCtrls.h"
#include "platform/Errors.h"
#include "tools/Colors.h"
#include "vxcontrols/VXControls.h"

class QTimer;

namespace tavo::vxedit {

using lookup::TCustomLookUp;
using lookup::TDisplayStyle;
using lookup::TSetTextEvent;
using tools::TAlignment;
using tools::TColor;
using tools::TRect;

// The framework's error for an object that is not of the class an operation needs.
class EInvalidCast : public platform::Exception {
public:
    EInvalidCast();
};

// Button kinds: none, spin buttons, or a push button with the face of its kind (2 ellipsis,
// 3 to 6 arrows down, up, right, left).
constexpr uint8_t bkNone = 0;
constexpr uint8_t bkSpin = 1;

// Value kinds checked when the focus leaves a field; other kinds are not checked here.
constexpr uint8_t vkText = 0;          // any text; with CheckInList a caption of the lookup
constexpr uint8_t vkListText = 1;      // as vkText
constexpr uint8_t vkLogical = 6;       // a logical value, shown as one of the logical texts
constexpr uint8_t vkLookUpText = 11;   // a caption of the lookup, or blank
constexpr uint8_t vkLogicalItem = 12;  // as vkLogical

// Width of the button area at the right edge of the client area.
constexpr int32_t ButtonAreaWidth = 14;
// The spin buttons' auto-repeat: the first step at once, the next after FirstRepeatMs,
// then one every RepeatMs while the button is held.
constexpr int FirstRepeatMs = 200;
constexpr int RepeatMs = 100;

using TNotifyEvent = std::function<void(QObject* Sender)>;
// X, Y: the field's top-left corner on the screen; Width, Height: its size.
using TButtonClickEvent =
    std::function<void(QObject* Sender, const std::string& Text, const TSetTextEvent& SetText,
                       int32_t X, int32_t Y, int32_t Width, int32_t Height)>;
using TGetGlyphEvent = std::function<void(QObject* Sender, const QImage*& Glyph, bool& UseDefault)>;
using THelpEvent =
    std::function<void(QObject* Sender, const std::string& Text, const TSetTextEvent& SetText)>;

// The sound of a refused request (a spin on a read-only field): the platform's beep. Tests
// replace it; returns the previous one, and an empty one restores the platform's.
using TErrorBeep = std::function<void()>;
TErrorBeep SetErrorBeep(TErrorBeep Beep);

class TCustomVXEdit : public QLineEdit, public lookup::TLookUpLink {
    Q_OBJECT
public:
    explicit TCustomVXEdit(QWidget* Parent = nullptr);
    ~TCustomVXEdit() override;

    // A component the application ties to the field; forgotten when it is destroyed.
    QObject* LinkedComponent() const { return FLinkedComponent; }
    void SetLinkedComponent(QObject* Value) { FLinkedComponent = Value; }
    // What the field shows while it has no focus.
    TDisplayStyle DisplayStyle() const { return FDisplayStyle; }
    virtual void SetDisplayStyle(TDisplayStyle Value);
    TAlignment Alignment() const { return FAlignment; }
    virtual void SetAlignment(TAlignment Value);
    // For the plain value kinds: the text must be a caption of the lookup.
    bool CheckInList() const { return FCheckInList; }
    void SetCheckInList(bool Value) { FCheckInList = Value; }

    TButtonClickEvent OnButtonClick;
    TGetGlyphEvent OnGetGlyph;
    THelpEvent OnHelp;
    // The upper or lower spin button, or the Up or Down key; OnSpinClick after each step.
    TNotifyEvent OnSpinUp;
    TNotifyEvent OnSpinDown;
    TNotifyEvent OnSpinClick;
    // Every key but F1 and, with spin buttons, Enter; setting the key to 0 consumes it.
    vxcontrols::TKeyEvent OnKeyDown;

    // 0 none, 1 the upper spin button or the push button, 2 the lower spin button: the one
    // shown pressed while the mouse holds it.
    int32_t ButtonState() const { return FButtonState; }
    // Result of the last check; false until the field gets the focus again.
    bool Valid() const { return FValid; }

    // The colour, hint and hint switch the field has now, and those it has while valid.
    // The Set... operations change both; a tool tip the application sets is the normal hint.
    TColor Color() const { return FColor; }
    TColor NormalColor() const { return FNormalColor; }
    void SetNormalColor(TColor Value);
    std::string Hint() const;
    const std::string& NormalHint() const { return FNormalHint; }
    void SetNormalHint(const std::string& Value);
    bool ShowHint() const { return FShowHint; }
    bool NormalShowHint() const { return FNormalShowHint; }
    void SetNormalShowHint(bool Value);
    // Takes the current colour, hint and hint switch as the normal ones (after a form has
    // set them directly).
    void Loaded();

    // What descendants decide.
    // The hint of an invalid field; blank: the check's own reason.
    virtual std::string GetErrorText() const;
    virtual TColor GetErrorColor() const;
    virtual uint8_t GetButtonKind() const;
    // Index 0 the false text, 1 the true text.
    virtual std::array<std::string, 2> GetLogicalTexts() const;
    virtual TCustomLookUp* GetLookUp() const;
    // The text's room beside the button area; frees the repeat timer without spin buttons.
    virtual void UpdateEditRect();
    // F1: the application's help, the hint's help text, or the lookup's list.
    virtual void ShowHelp();
    // The push button: the application's chooser, else the lookup's list, else help.
    virtual void ButtonClick(int32_t X, int32_t Y, int32_t Width, int32_t Height);
    // A read-only field beeps; OnSpinClick follows in both cases.
    virtual void SpinUp();
    virtual void SpinDown();
    virtual uint8_t GetValueKind() const;
    // A logical field may not stay empty.
    virtual bool GetRequired() const;
    virtual const QImage* GetGlyph();
    // True: a chosen text replaces the field's text; false: it is inserted at the caret.
    virtual bool GetReplaceMode() const;
    // Which text of a chosen row the lookup's list hands back (a TReturnStr).
    virtual int32_t GetPopupIndex() const;
    virtual std::string GetDisplayText() const;

    // What a chooser calls with the chosen text (replacing or inserting as GetReplaceMode
    // says now); safe to call after the field is gone. A read-only field ignores it.
    TSetTextEvent ChosenTextSetter();
    void PutChosenText(const std::string& NewText, bool Replace);

    // The check run when the focus leaves the field: colour, hint and, for a logical value,
    // the text shown. Message boxes stay off meanwhile. Returns Valid.
    bool CheckText();
    // Enter: presses the first enabled, visible default button of the form (later, as a
    // click would), or posts Enter to the parent when the form has none. Raises
    // EInvalidCast when the field is not on a form.
    void PressDefaultButton();

    // The client area (inside the frame) in widget coordinates; mouse positions are taken
    // relative to its top-left corner.
    QRect ClientRect() const;
    // The button area in client coordinates; empty without buttons or when read-only.
    TRect ButtonRect() const;
    // Exists only while a spin button is held.
    QTimer* RepeatTimer() const { return FRepeatTimer; }

    void LookUpChanged(TCustomLookUp& Sender) override;
    void LookUpDestroying(TCustomLookUp& Sender) override;

protected:
    // The field's lookup; set by descendants.
    TCustomLookUp* LookUp() const { return FLookUp; }
    void SetLookUp(TCustomLookUp* Value);

    bool event(QEvent* Event) override;
    void changeEvent(QEvent* Event) override;
    void paintEvent(QPaintEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;
    void focusInEvent(QFocusEvent* Event) override;
    void focusOutEvent(QFocusEvent* Event) override;
    void keyPressEvent(QKeyEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseDoubleClickEvent(QMouseEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;

private:
    bool InButtonArea(const QPointF& At) const;
    // A left-button press on the button area at At (widget coordinates).
    void ButtonPress(const QPoint& At);
    void RepeatTick();
    void FreeRepeatTimer();
    // Alt+Down: the push button's chooser, or the lookup's list of a field without button.
    void OpenChooser();
    void PaintUnfocused(QPainter& Canvas);
    void PaintButtons(QPainter& Canvas);
    void SetCurrentColor(TColor Value);
    void SetCurrentHint(const std::string& Value);

    QPointer<QObject> FLinkedComponent;
    QPointer<TCustomLookUp> FLookUp;
    TDisplayStyle FDisplayStyle = lookup::dsCaption;
    TAlignment FAlignment = tools::taLeftJustify;
    bool FCheckInList = false;
    int32_t FButtonState = 0;
    QTimer* FRepeatTimer = nullptr;
    bool FValid = true;
    TColor FColor;
    TColor FNormalColor;
    std::string FNormalHint;
    bool FShowHint = true;
    bool FNormalShowHint = true;
    bool FSettingHint = false;
    // The left button went down on the button area and is still down there.
    bool FHeld = false;
    QPoint FHeldAt;
    QWidget* FButtonArea;
};

// The field as forms place it: what descendants decide is set as properties.
class TVXEdit : public TCustomVXEdit {
    Q_OBJECT
    Q_PROPERTY(int ValueKind READ ValueKindValue WRITE SetValueKindValue)
    Q_PROPERTY(int ButtonKind READ ButtonKindValue WRITE SetButtonKindValue)
    Q_PROPERTY(bool Required READ GetRequired WRITE SetRequired)
    Q_PROPERTY(bool CheckInList READ CheckInList WRITE SetCheckInList)
    Q_PROPERTY(bool ReplaceMode READ GetReplaceMode WRITE SetReplaceMode)
    Q_PROPERTY(int PopupIndex READ GetPopupIndex WRITE SetPopupIndex)
public:
    explicit TVXEdit(QWidget* Parent = nullptr) : TCustomVXEdit(Parent) {}

    void SetValueKind(uint8_t Value) { FValueKind = Value; }
    void SetButtonKind(uint8_t Value);
    void SetRequired(bool Value) { FRequired = Value; }
    void SetErrorText(const std::string& Value) { FErrorText = Value; }
    void SetErrorColor(TColor Value) { FErrorColor = Value; }
    void SetLogicalTexts(const std::array<std::string, 2>& Value) { FLogicalTexts = Value; }
    void SetReplaceMode(bool Value) { FReplaceMode = Value; }
    void SetPopupIndex(int32_t Value) { FPopupIndex = Value; }
    using TCustomVXEdit::LookUp;
    using TCustomVXEdit::SetLookUp;

    std::string GetErrorText() const override { return FErrorText; }
    TColor GetErrorColor() const override { return FErrorColor; }
    uint8_t GetButtonKind() const override { return FButtonKind; }
    std::array<std::string, 2> GetLogicalTexts() const override;
    uint8_t GetValueKind() const override { return FValueKind; }
    bool GetRequired() const override { return FRequired; }
    bool GetReplaceMode() const override { return FReplaceMode; }
    int32_t GetPopupIndex() const override { return FPopupIndex; }

private:
    int ValueKindValue() const { return FValueKind; }
    void SetValueKindValue(int Value) { SetValueKind(static_cast<uint8_t>(Value)); }
    int ButtonKindValue() const { return FButtonKind; }
    void SetButtonKindValue(int Value) { SetButtonKind(static_cast<uint8_t>(Value)); }

    uint8_t FValueKind = vkText;
    uint8_t FButtonKind = bkNone;
    bool FRequired = false;
    std::string FErrorText;
    TColor FErrorColor = tools::clRed;
    // Empty: the base's texts.
    std::array<std::string, 2> FLogicalTexts;
    bool FReplaceMode = true;
    int32_t FPopupIndex = 0;
};

}  // namespace tavo::vxedit
