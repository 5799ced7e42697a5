#pragma once
// The base of the viewer's form: size constraints given at 96 dots per inch grow with the
// screen's logical resolution, the form fills its parent only while it has one, and a help
// request for which no help context applies is dropped rather than passed on.
#include <QSize>
#include <QWidget>
#include <cstdint>

namespace tavo::docviewer {

// A size constraint designed at 96 dots per inch for a screen of Dpi: unchanged up to 96,
// above it Value * Dpi / 96 rounded with halves to the even neighbour; 0 (no constraint)
// stays 0.
int32_t ScaleConstraint(int32_t Value, int32_t Dpi);

struct TSizeConstraints {
    int32_t MinWidth = 0;
    int32_t MinHeight = 0;
    int32_t MaxWidth = 0;
    int32_t MaxHeight = 0;
    bool operator==(const TSizeConstraints&) const = default;
};

class TdxBar_Form : public QWidget {
    Q_OBJECT
public:
    explicit TdxBar_Form(QWidget* Parent = nullptr);

    // Constraints as designed; they are applied scaled to the form's screen.
    void SetConstraints(const TSizeConstraints& Designed);
    const TSizeConstraints& DesignedConstraints() const { return FDesigned; }
    TSizeConstraints Constraints() const { return FApplied; }
    // Applies the designed constraints for a screen of Dpi (the form's own screen's logical
    // resolution by default).
    void ScaleConstraints(int32_t Dpi);

    // Puts the form inside Parent and lets it fill it; a form without a parent keeps its
    // own geometry.
    void AlignClientIn(QWidget* Parent);

    // The help context that answers for Control (itself or the first parent with one), or
    // 0 when none does.
    static int32_t AnsweringHelpContext(const QWidget* Control);

protected:
    bool event(QEvent* Event) override;

private:
    TSizeConstraints FDesigned;
    TSizeConstraints FApplied;
};

}  // namespace tavo::docviewer
