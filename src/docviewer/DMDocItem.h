#pragma once
#include <QObject>

#include "catalogue/DocTypes.h"
#include "lookup/LookUpCtrls.h"
#include "tools/FormStream.h"
#include "tools/ImageList.h"

namespace tavo::docviewer {

// The data module of the documentation: document type and level tables and the tree's
// pictures. Owned by the application, created before the main window. Its tables come from
// its form text (resources/forms/DMDocItem.txt), read through the form stream at creation.
class TDM_DocItem : public QObject, public tools::TFormComponent {
    Q_OBJECT
public:
    explicit TDM_DocItem(QObject* Owner = nullptr);
    ~TDM_DocItem() override;

    // The document types: a row per CaptionTyp of the catalogue, pictures from Glyphs.
    lookup::TLookUp* LUp_Types;
    // The levels 0 to 9; the viewer does not consult it.
    lookup::TLookUp* LUp_Level;
    // 16 x 16: closed book, open book, page, the same page, page with a dollar sign.
    tools::TImageList* Glyphs;

    // The type table as the catalogue reads it: Id, caption and picture of every row.
    catalogue::TDocTypes DocTypes() const;

    std::string ClassName() const override { return "TDM_DocItem"; }
    std::string FormName() const override;
    std::vector<tools::TFormComponent*> FormChildren() const override;
};

// The one instance, while it exists.
extern TDM_DocItem* DM_DocItem;

// The rows of a type lookup (IndexOfId order kept: the first row of an Id wins).
catalogue::TDocTypes DocTypesOf(lookup::TCustomLookUp& Types);

}  // namespace tavo::docviewer
