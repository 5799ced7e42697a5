#pragma once
// Shared by the lookup tests: glyphs of one colour and a link that counts what it hears.
#include <QImage>
#include <QObject>
#include <QPointer>

#include "lookup/LookUpCtrls.h"

namespace tavo::lookup::test {

// 16 x 16 in Colour, with a fuchsia bottom-left pixel (the transparent colour).
inline QImage SolidGlyph(QRgb Colour)
{
    QImage glyph(16, 16, QImage::Format_RGB32);
    glyph.fill(Colour);
    glyph.setPixel(0, 15, qRgb(255, 0, 255));
    return glyph;
}

// The smallest control that shows a lookup: it joins the links when given a lookup,
// leaves them when it goes, and counts the refreshes.
class CountingLink : public QObject, public TLookUpLink {
public:
    explicit CountingLink(TCustomLookUp* LookUp = nullptr) { SetLookUp(LookUp); }
    ~CountingLink() override { SetLookUp(nullptr); }

    TCustomLookUp* LookUp() const { return FLookUp; }
    void SetLookUp(TCustomLookUp* Value)
    {
        if (FLookUp == Value)
            return;
        if (FLookUp)
            FLookUp->RemoveLink(this);
        FLookUp = Value;
        if (FLookUp)
            FLookUp->AddLink(this);
    }

    void LookUpChanged(TCustomLookUp&) override { ++Changes; }
    void LookUpDestroying(TCustomLookUp&) override
    {
        ++Destroyings;
        SetLookUp(nullptr);
    }

    int Changes = 0;
    int Destroyings = 0;

private:
    QPointer<TCustomLookUp> FLookUp;
};

}  // namespace tavo::lookup::test
