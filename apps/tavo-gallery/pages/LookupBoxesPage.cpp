// Gallery page: lookup combo boxes and list boxes over the document types and over a colour
// lookup, with and without the "Edit" entry (a new type by name, another colour from the
// colour dialog), read-only over a disabled row, and list boxes with the entries' hints or a
// hint of their own. What the boxes choose shows below.
#include <QColorDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QVBoxLayout>

#include "GalleryPages.h"
#include "docviewer/DMDocItem.h"
#include "lookup/LookUpCtrls.h"
#include "platform/AnsiText.h"

namespace tavo::gallery {

namespace {

using namespace lookup;

// A copy of the document types that the "Edit" entry may add to; the data module's table
// stays as the catalogue needs it.
TLookUp* CopyOfTypes(TLookUp& Types, QObject* Owner)
{
    auto* copy = new TLookUp(Owner);
    copy->SetImages(Types.Images());
    for (int32_t i = 0; i < Types.Count(); ++i) {
        const TLookUpItem& row = Types.Items()[i];
        TLookUpItem& item =
            copy->Items().Add(row.GetCaption(), row.GetIdStr(), row.GetId(), row.GetImageIndex());
        item.SetHint(row.StoredHint());
    }
    return copy;
}

TLookUpComboBox* NewCombo(TCustomLookUp* LookUp, const QString& Name, QLabel* Result,
                          QWidget* Parent)
{
    auto* combo = new TLookUpComboBox(Parent);
    combo->setObjectName(Name);
    combo->setAccessibleName(Name);
    combo->SetDisplayStyle(dsCaptionGlyph);
    combo->SetLookUp(LookUp);
    combo->setMinimumWidth(230);
    combo->OnChange = [combo, Result, Name](QObject*) {
        Result->setText(QStringLiteral("%1: %2").arg(Name, combo->currentText()));
    };
    return combo;
}

TLookUpListBox* NewList(TCustomLookUp* LookUp, const QString& Name, QLabel* Result, QWidget* Parent)
{
    auto* list = new TLookUpListBox(Parent);
    list->setObjectName(Name);
    list->setAccessibleName(Name);
    list->SetDisplayStyle(dsCaptionGlyph);
    list->SetLookUp(LookUp);
    list->setMinimumHeight(150);
    QObject::connect(list, &QListWidget::currentTextChanged, Result,
                     [Result, Name](const QString& Text) {
                         Result->setText(QStringLiteral("%1: %2").arg(Name, Text));
                     });
    return list;
}

QGroupBox* TypesGroup(TLookUp& Types, QLabel* Result, QWidget* Parent)
{
    auto* group = new QGroupBox(QStringLiteral("Document types (LUp_Types)"), Parent);
    auto* form = new QFormLayout(group);

    TLookUpComboBox* plain = NewCombo(&Types, QStringLiteral("Types"), Result, group);
    plain->SetText("Cennik");
    form->addRow(QStringLiteral("Caption and glyph"), plain);

    TLookUp* editable = CopyOfTypes(Types, group);
    editable->SetAddEditItem(true);
    editable->Items()[editable->IndexOfId(1)].SetEnabled(false);  // "Opis"
    editable->OnEditItems = [editable, group](QObject*, const TSetTextEvent& SetText) {
        bool ok = false;
        const QString name =
            QInputDialog::getText(group, QStringLiteral("New document type"),
                                  QStringLiteral("Name of the type:"), QLineEdit::Normal, {}, &ok);
        if (!ok || name.trimmed().isEmpty())
            return;  // the box goes back to the text it had
        const std::string caption = platform::ToAnsi(name.trimmed());
        editable->Items().Add(caption, {}, 100 + editable->Count());
        SetText(nullptr, caption);
    };
    TLookUpComboBox* withEdit =
        NewCombo(editable, QStringLiteral("Types with Edit"), Result, group);
    withEdit->setToolTip(QStringLiteral("Types|Choose Edit to add a type of your own"));
    withEdit->SetText("Rysunek");
    form->addRow(QStringLiteral("With \"Edit\" (a copy)"), withEdit);

    TLookUpComboBox* readOnly =
        NewCombo(editable, QStringLiteral("Read-only types"), Result, group);
    readOnly->SetText("Opis");
    readOnly->SetReadOnly(true);
    form->addRow(QStringLiteral("Read-only, disabled row"), readOnly);

    TLookUpListBox* list = NewList(&Types, QStringLiteral("Type list"), Result, group);
    list->setCurrentRow(Types.IndexOfId(3));
    form->addRow(QStringLiteral("List box (rows' hints)"), list);
    return group;
}

QGroupBox* ColoursGroup(QLabel* Result, QWidget* Parent)
{
    auto* group = new QGroupBox(QStringLiteral("Colour lookup"), Parent);
    auto* form = new QFormLayout(group);
    auto* colours = new TColorLookUp(group);

    TLookUpComboBox* plain = NewCombo(colours, QStringLiteral("Colours"), Result, group);
    plain->SetText("Navy blue");
    form->addRow(QStringLiteral("Standard colours"), plain);

    auto* editable = new TColorLookUp(group);
    editable->SetAddEditItem(true);
    editable->OnEditItems = [editable, group](QObject*, const TSetTextEvent& SetText) {
        const QColor colour = QColorDialog::getColor(Qt::darkCyan, group);
        if (!colour.isValid())
            return;
        // Another colour is the lookup's last row, captioned with its value.
        editable->SetRGBColors(true);
        const int32_t row = editable->IndexOfId(tools::FromQColor(colour));
        editable->UpdateItems();
        SetText(nullptr, editable->GetItem(row)->GetCaption());
    };
    TLookUpComboBox* withEdit =
        NewCombo(editable, QStringLiteral("Colours with Edit"), Result, group);
    withEdit->SetText("Red");
    form->addRow(QStringLiteral("With \"Edit\" (any colour)"), withEdit);

    TLookUpComboBox* right = NewCombo(colours, QStringLiteral("Right-aligned"), Result, group);
    right->SetAlignment(tools::taRightJustify);
    right->SetText("Yellow");
    form->addRow(QStringLiteral("Right-aligned"), right);

    TLookUpListBox* list = NewList(colours, QStringLiteral("Colour list"), Result, group);
    list->SetColumns(2);
    list->setToolTip(QStringLiteral("Colours|A hint of its own: the rows' hints stay away"));
    list->setCurrentRow(5);
    form->addRow(QStringLiteral("Two columns, own hint"), list);
    return group;
}

QWidget* CreateLookupBoxesPage(QWidget* Parent)
{
    auto* page = new QWidget(Parent);
    page->setObjectName(QStringLiteral("LookupBoxesPage"));
    docviewer::TDM_DocItem* dm = docviewer::DM_DocItem;
    if (!dm)
        dm = new docviewer::TDM_DocItem(page);
    auto* result = new QLabel(QStringLiteral("Choose an entry"), page);
    result->setObjectName(QStringLiteral("Result"));
    auto* layout = new QVBoxLayout(page);
    auto* groups = new QHBoxLayout;
    groups->addWidget(TypesGroup(*dm->LUp_Types, result, page), 1);
    groups->addWidget(ColoursGroup(result, page), 1);
    layout->addLayout(groups);
    layout->addWidget(result);
    layout->addStretch();
    return page;
}

GalleryPageRegistration reg{14, QStringLiteral("Lookup boxes"), CreateLookupBoxesPage};

}  // namespace

}  // namespace tavo::gallery
