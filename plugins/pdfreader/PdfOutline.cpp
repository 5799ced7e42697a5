// The structure of a document for the catalogue tool: state, pages, title, outline and the
// pages of named destinations, from one opening. Poppler's Qt layer resolves an outline
// item's named destination and forgets its name, which is what a catalogue entry keeps, so
// this reads the document with Poppler's core.
#include <Catalog.h>
#include <ErrorCodes.h>
#include <GlobalParams.h>
#include <Link.h>
#include <Outline.h>
#include <PDFDoc.h>
#include <QFileInfo>
#include <UTF.h>
#include <goo/GooString.h>
#include <unordered_map>

#include "PdfOutline.h"
#include "ReaderStrings.h"

namespace tavo::pdfreader {

namespace {

using platform::TPdfFacts;

// Outlines nest as deep as the file says; a hostile file must not recurse without end.
constexpr int32_t kMaxOutlineDepth = 64;
// An outline item's title is a line of a table of contents, not a text.
constexpr int kMaxTitle = 1000;
// Items read at most: far beyond any real table of contents, and a bound for one whose
// items lead back to their own ancestors.
constexpr qsizetype kMaxOutlineItems = 200000;

// Poppler's messages about damaged files are the reader's to show, not the tool's.
void Quiet(ErrorCategory, Goffset, const char*) {}

QString FromUcs4(const Unicode* Text, int Length)
{
    QString out;
    for (int i = 0; i < Length && out.size() < kMaxTitle; ++i)
        if (Text[i] > 0 && Text[i] <= 0x10FFFF)
            out.append(QString::fromUcs4(reinterpret_cast<const char32_t*>(&Text[i]), 1));
    return out.simplified();
}

// A PDF text string (PDFDocEncoding or UTF-16 with its mark).
QString FromTextString(const GooString* Text)
{
    if (!Text)
        return {};
    Unicode* ucs4 = nullptr;
    const int length = TextStringToUCS4(Text->toStr(), &ucs4);
    QString out = FromUcs4(ucs4, length);
    gfree(ucs4);
    return out;
}

// A destination's name as bytes in the file: UTF-8 when it is that, else Latin-1.
QString FromName(const GooString* Name)
{
    const std::string& bytes = Name->toStr();
    QString text = QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    if (text.contains(QChar::ReplacementCharacter))
        text = QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
    return text;
}

class TStructure {
public:
    explicit TStructure(PDFDoc& Doc) : FDoc(Doc), FPages(Doc.getNumPages())
    {
        // Each page once: Poppler's own search for a page is linear per destination.
        Catalog* catalog = FDoc.getCatalog();
        for (int32_t page = 1; page <= FPages; ++page)
            if (const Ref* ref = catalog->getPageRef(page))
                FPageOf.emplace(RefKey(*ref), page);
    }

    int32_t PageOf(const LinkDest* Dest) const
    {
        if (!Dest || !Dest->isOk())
            return 0;
        int32_t page = 0;
        if (Dest->isPageRef()) {
            const auto found = FPageOf.find(RefKey(Dest->getPageRef()));
            page = found == FPageOf.end() ? 0 : found->second;
        } else {
            page = Dest->getPageNum();
        }
        return page >= 1 && page <= FPages ? page : 0;
    }

    int32_t PageOfName(const GooString& Name) const
    {
        const std::unique_ptr<LinkDest> dest = FDoc.getCatalog()->findDest(&Name);
        return PageOf(dest.get());
    }

    void Outline(const std::vector<OutlineItem*>* Items, int32_t Depth, int32_t MaxDepth,
                 QList<platform::TPdfOutlineItem>& Out) const
    {
        if (!Items || Depth > MaxDepth || Depth > kMaxOutlineDepth)
            return;
        for (OutlineItem* item : *Items) {
            if (!item || Out.size() >= kMaxOutlineItems)
                continue;
            platform::TPdfOutlineItem entry;
            entry.Title = FromUcs4(item->getTitle(), item->getTitleLength());
            entry.Depth = Depth;
            // Links to other files or addresses have no place in this document.
            const LinkAction* action = item->getAction();
            if (action && action->isOk() && action->getKind() == actionGoTo) {
                const auto* go = static_cast<const LinkGoTo*>(action);
                if (const GooString* name = go->getNamedDest()) {
                    entry.Destination = FromName(name);
                    entry.Page = PageOfName(*name);
                } else {
                    entry.Page = PageOf(go->getDest());
                }
            }
            Out.append(entry);
            if (Depth < MaxDepth && item->hasKids())
                Outline(item->getKids(), Depth + 1, MaxDepth, Out);
        }
    }

    int32_t Pages() const { return FPages; }

private:
    static uint64_t RefKey(const Ref& R)
    {
        return (static_cast<uint64_t>(static_cast<uint32_t>(R.num)) << 32) |
               static_cast<uint32_t>(R.gen);
    }

    PDFDoc& FDoc;
    int32_t FPages;
    std::unordered_map<uint64_t, int32_t> FPageOf;
};

}  // namespace

TPdfFacts ReadPdfFacts(const QString& FileName, int32_t MaxDepth, const QStringList& Names)
{
    static GlobalParamsIniter Params(Quiet);
    TPdfFacts facts;
    auto fail = [&facts](TPdfFacts::TState State, const QString& Reason) {
        facts.State = State;
        facts.Error = Reason;
        return facts;
    };
    const QFileInfo file(FileName);
    if (!file.exists())
        return fail(TPdfFacts::pfMissing, texts::NotFound());
    if (!file.isFile() || !file.isReadable())
        return fail(TPdfFacts::pfUnreadable, texts::Unreadable());
    if (file.size() == 0)
        return fail(TPdfFacts::pfEmpty, texts::Empty());
    PDFDoc doc(std::make_unique<GooString>(QFile::encodeName(FileName).toStdString()));
    if (!doc.isOk())
        return doc.getErrorCode() == errEncrypted ? fail(TPdfFacts::pfEncrypted, texts::Locked())
                                                  : fail(TPdfFacts::pfDamaged, texts::Damaged());
    const int32_t pages = doc.getNumPages();
    if (pages <= 0)
        return fail(TPdfFacts::pfNoPages, texts::NoPages());
    // Every page costs the file a dozen bytes at least; a larger count is a lie.
    if (pages > file.size() / 12)
        return fail(TPdfFacts::pfDamaged, texts::Damaged());
    const TStructure structure(doc);
    facts.State = TPdfFacts::pfReadable;
    facts.Pages = pages;
    const std::unique_ptr<GooString> title = doc.getDocInfoTitle();
    facts.Title = FromTextString(title.get());
    if (MaxDepth >= 0)
        if (::Outline* outline = doc.getOutline())
            structure.Outline(outline->getItems(), 0, MaxDepth, facts.Outline);
    for (const QString& name : Names) {
        if (facts.Destinations.contains(name))
            continue;
        const QByteArray bytes = name.toUtf8();
        const GooString key(bytes.constData(), static_cast<size_t>(bytes.size()));
        facts.Destinations.insert(name, name.isEmpty() ? 0 : structure.PageOfName(key));
    }
    return facts;
}

}  // namespace tavo::pdfreader
