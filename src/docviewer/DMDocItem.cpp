#include "DMDocItem.h"

#include <QFile>
#include <QImage>
#include <QImageReader>

#include "platform/AnsiText.h"
#include "platform/Codec.h"
#include "platform/StartupLog.h"
#include "platform/StringTable.h"
#include "strings/StringIds.h"
#include "tools/FormStreamText.h"

namespace tavo::docviewer {

TDM_DocItem* DM_DocItem = nullptr;

namespace {

QByteArray Resource(const QString& Path)
{
    QFile file(Path);
    if (!file.open(QIODevice::ReadOnly))
        throw platform::EFOpenError::ForFile(platform::ToAnsi(Path));
    return file.readAll();
}

// The form text is kept in UTF-8 in the sources; like every library text it is read as
// Windows-1250, so the captions stay in that code page in memory.
std::string FormText()
{
    QByteArray utf8 = Resource(QStringLiteral(":/forms/DMDocItem.txt"));
    std::optional<std::string> ansi = platform::Utf8ToAnsi(utf8.toStdString());
    if (!ansi)
        throw platform::EReadError(platform::LoadStr(SInvalidStreamFormat));
    return *ansi;
}

QImage Picture(const char* Name)
{
    // Read as what it is: left to guess, the reader loads every image plugin first.
    QImageReader reader(QStringLiteral(":/glyphs/%1.xpm").arg(QLatin1String(Name)), "XPM");
    reader.setAutoDetectImageFormat(false);
    const QImage picture = reader.read();
    if (picture.isNull())
        throw tools::EInvalidGraphic(platform::LoadStr(SInvalidBitmap));
    return picture;
}

}  // namespace

TDM_DocItem::TDM_DocItem(QObject* Owner)
    : QObject(Owner), LUp_Types(new lookup::TLookUp(this)), LUp_Level(new lookup::TLookUp(this)),
      Glyphs(new tools::TImageList(this, 16, 16))
{
    setObjectName(QStringLiteral("DM_DocItem"));
    LUp_Types->setObjectName(QStringLiteral("LUp_Types"));
    LUp_Level->setObjectName(QStringLiteral("LUp_Level"));
    Glyphs->setObjectName(QStringLiteral("Glyphs"));

    tools::ReadComponentText(FormText(), *this);
    for (const char* name : {"closed-book", "open-book", "page", "page", "price-list"})
        Glyphs->Add(Picture(name));

    DM_DocItem = this;
    platform::LogLifeEvent("data module created");
}

TDM_DocItem::~TDM_DocItem()
{
    if (DM_DocItem == this)
        DM_DocItem = nullptr;
    platform::LogLifeEvent("data module destroyed");
}

catalogue::TDocTypes TDM_DocItem::DocTypes() const
{
    return DocTypesOf(*LUp_Types);
}

catalogue::TDocTypes DocTypesOf(lookup::TCustomLookUp& Types)
{
    std::vector<catalogue::TDocTypeRow> rows;
    rows.reserve(static_cast<size_t>(Types.Count()));
    for (int32_t i = 0; i < Types.Count(); ++i) {
        const lookup::TCustomLookUpItem* item = Types.GetItem(i);
        rows.push_back({item->GetId(), item->GetCaption(), item->GetImageIndex()});
    }
    return catalogue::TDocTypes(std::move(rows));
}

std::string TDM_DocItem::FormName() const
{
    return platform::ToAnsi(objectName());
}

std::vector<tools::TFormComponent*> TDM_DocItem::FormChildren() const
{
    return {LUp_Types, LUp_Level, Glyphs};
}

}  // namespace tavo::docviewer
