#include "ImageList.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPainter>

#include "platform/AnsiText.h"
#include "platform/Format.h"
#include "platform/FrameworkStrings.h"
#include "platform/StringTable.h"
#include "strings/StringIds.h"

namespace tavo::tools {

namespace {

// Larger pictures are no glyphs; the bound also keeps a bad form from allocating much.
constexpr int32_t MaxImageSide = 1024;

void CheckSide(int32_t Value)
{
    if (Value < 1 || Value > MaxImageSide)
        throw EInvalidOperation(platform::LoadStr(SInvalidImageSize));
}

}  // namespace

TImageList::TImageList(QObject* Owner, int32_t Width, int32_t Height)
    : QObject(Owner), FWidth(Width), FHeight(Height)
{
    CheckSide(Width);
    CheckSide(Height);
}

void TImageList::SetWidth(int32_t Value)
{
    CheckSide(Value);
    if (Value != FWidth) {
        FWidth = Value;
        Clear();
    }
}

void TImageList::SetHeight(int32_t Value)
{
    CheckSide(Value);
    if (Value != FHeight) {
        FHeight = Value;
        Clear();
    }
}

int32_t TImageList::Add(const QImage& Image)
{
    if (Image.isNull() || Image.height() != FHeight || Image.width() % FWidth != 0)
        throw EInvalidOperation(platform::LoadStr(SInvalidImageSize));
    auto first = Count();
    QImage argb = Image.convertToFormat(QImage::Format_ARGB32);
    for (int x = 0; x < argb.width(); x += FWidth)
        FImages.push_back(argb.copy(x, 0, FWidth, FHeight));
    return first;
}

int32_t TImageList::AddMasked(const QImage& Image, TColor MaskColor)
{
    QImage argb = Image.convertToFormat(QImage::Format_ARGB32);
    QRgb mask = ToQColor(MaskColor).rgb() & 0xFFFFFF;
    for (int y = 0; y < argb.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(argb.scanLine(y));
        for (int x = 0; x < argb.width(); ++x)
            if ((line[x] & 0xFFFFFF) == mask)
                line[x] = 0;
    }
    return Add(argb);
}

void TImageList::Clear()
{
    FImages.clear();
}

const QImage& TImageList::Image(int32_t Index) const
{
    if (Index < 0 || Index >= Count())
        throw platform::EListError(
            platform::Format(platform::LoadStr(SListIndexError), {int64_t{Index}}));
    return FImages[static_cast<size_t>(Index)];
}

void TImageList::Draw(QPainter& Canvas, int32_t X, int32_t Y, int32_t Index) const
{
    Canvas.drawImage(X, Y, Image(Index));
}

std::string TImageList::FormName() const
{
    return platform::ToAnsi(objectName());
}

bool TImageList::ReadProperty(std::string_view Name, TReader& Reader)
{
    if (Name != "Width" && Name != "Height")
        return false;
    int32_t value = Reader.ReadInteger();
    if (value < 1 || value > MaxImageSide)
        TReader::InvalidValue();
    if (Name == "Width")
        SetWidth(value);
    else
        SetHeight(value);
    return true;
}

void TImageList::WriteProperties(TWriter& Writer)
{
    // 16 is the default size and is not written.
    if (FHeight != 16) {
        Writer.WritePropName("Height");
        Writer.WriteInteger(FHeight);
    }
    if (FWidth != 16) {
        Writer.WritePropName("Width");
        Writer.WriteInteger(FWidth);
    }
}

namespace {

uint32_t LittleEndian(std::string_view Data, size_t At, size_t Size)
{
    uint32_t v = 0;
    for (size_t i = Size; i-- > 0;)
        v = (v << 8) | static_cast<uint8_t>(Data[At + i]);
    return v;
}

[[noreturn]] void InvalidBitmap()
{
    throw EInvalidGraphic(platform::LoadStr(SInvalidBitmap));
}

// The BMP header must describe a picture of a sensible size before the decoder sees it,
// so that a few bytes cannot make it allocate gigabytes.
void CheckBmpHeader(std::string_view Bmp)
{
    if (Bmp.size() < 26 || Bmp[0] != 'B' || Bmp[1] != 'M')
        InvalidBitmap();
    uint32_t infoSize = LittleEndian(Bmp, 14, 4);
    int64_t width = 0;
    int64_t height = 0;
    if (infoSize == 12) {
        width = static_cast<int16_t>(LittleEndian(Bmp, 18, 2));
        height = static_cast<int16_t>(LittleEndian(Bmp, 20, 2));
    } else if (infoSize >= 40) {
        width = static_cast<int32_t>(LittleEndian(Bmp, 18, 4));
        height = static_cast<int32_t>(LittleEndian(Bmp, 22, 4));
    } else {
        InvalidBitmap();
    }
    height = height < 0 ? -height : height;
    if (width < 1 || width > MaxImageSide || height < 1 || height > MaxImageSide)
        InvalidBitmap();
}

}  // namespace

std::string SaveBitmapData(const QImage& Image)
{
    std::string data(4, '\0');
    if (Image.isNull())
        return data;
    QImage rgb = Image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < rgb.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(rgb.scanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
            line[x] = qAlpha(line[x]) < 128 ? qRgb(255, 0, 255) : (line[x] | 0xFF000000);
    }
    rgb = rgb.convertToFormat(QImage::Format_RGB32);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "BMP");
    if (!writer.write(rgb))
        throw platform::EWriteError(platform::LoadStr(SWriteError));
    auto size = static_cast<uint32_t>(bytes.size());
    for (int i = 0; i < 4; ++i)
        data[static_cast<size_t>(i)] = static_cast<char>(size >> (8 * i));
    data.append(bytes.constData(), static_cast<size_t>(bytes.size()));
    return data;
}

void LoadBitmapData(std::string_view Data, QImage& Image)
{
    Image = QImage();
    if (Data.size() < 4)
        throw platform::EReadError(platform::LoadStr(SReadError));
    uint32_t size = LittleEndian(Data, 0, 4);
    if (size > Data.size() - 4)
        throw platform::EReadError(platform::LoadStr(SReadError));
    if (size == 0)
        return;
    std::string_view bmp = Data.substr(4, size);
    CheckBmpHeader(bmp);
    QImage loaded;
    if (!loaded.loadFromData(reinterpret_cast<const uchar*>(bmp.data()),
                             static_cast<int>(bmp.size()), "BMP"))
        InvalidBitmap();
    Image = loaded.convertToFormat(QImage::Format_RGB32);
}

}  // namespace tavo::tools
