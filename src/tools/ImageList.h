#pragma once
// A list of images of one size with transparency, as lookups, trees and buttons share them.
#include <QImage>
#include <QObject>
#include <cstdint>
#include <vector>

#include "strings/StringIds.h"
#include "tools/Colors.h"
#include "tools/FormStream.h"

class QPainter;

namespace tavo::tools {

class TImageList : public QObject, public TFormComponent {
    Q_OBJECT
public:
    explicit TImageList(QObject* Owner = nullptr, int32_t Width = 16, int32_t Height = 16);

    int32_t Width() const { return FWidth; }
    int32_t Height() const { return FHeight; }
    // A new size empties the list, as the images no longer fit.
    void SetWidth(int32_t Value);
    void SetHeight(int32_t Value);
    int32_t Count() const { return static_cast<int32_t>(FImages.size()); }

    // Appends the picture, or a strip of pictures side by side; returns the index of the
    // first. Its size must be (n * Width) x Height; raises EInvalidOperation otherwise.
    int32_t Add(const QImage& Image);
    // As Add, with every pixel of MaskColor transparent.
    int32_t AddMasked(const QImage& Image, TColor MaskColor);
    void Clear();
    // The image at Index (ARGB); raises EListError outside 0..Count-1.
    const QImage& Image(int32_t Index) const;
    // Draws image Index with its top-left corner at (X, Y).
    void Draw(QPainter& Canvas, int32_t X, int32_t Y, int32_t Index) const;

    // Form stream: the size is stored; the pictures belong to whoever fills the list.
    std::string ClassName() const override { return "TImageList"; }
    std::string FormName() const override;
    bool ReadProperty(std::string_view Name, TReader& Reader) override;
    void WriteProperties(TWriter& Writer) override;

private:
    int32_t FWidth;
    int32_t FHeight;
    std::vector<QImage> FImages;
};

// A bitmap's stored data in a form: a 32-bit length and a Windows BMP image (24 bits per
// pixel). Pixels that are more than half transparent are stored as fuchsia, the colour
// that glyphs keep for "transparent". An empty image stores the length 0 alone.
std::string SaveBitmapData(const QImage& Image);
// Reads what SaveBitmapData writes (or any BMP of at most 1024 x 1024 pixels); raises
// EReadError when the length does not fit the data and EInvalidGraphic when the image is
// no valid BMP. Image is left empty on failure.
void LoadBitmapData(std::string_view Data, QImage& Image);

class EInvalidGraphic : public platform::Exception {
public:
    using Exception::Exception;
};

// The framework's error for an operation that the object's state does not allow.
class EInvalidOperation : public platform::Exception {
public:
    using Exception::Exception;
};

}  // namespace tavo::tools
