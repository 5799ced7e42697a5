#include "PdfTreeView.h"

#include <QCheckBox>
#include <QHeaderView>

#include "platform/AnsiText.h"
#include "platform/StringTable.h"

namespace tavo::docviewer {

TPdfTreeView::TPdfTreeView(QWidget* Parent) : QTreeView(Parent), FModel(new TTocModel(this))
{
    setObjectName(QStringLiteral("PdfTreeView"));
    setAccessibleName(platform::FromAnsi(platform::LoadStr(STableOfContents)));
    setModel(FModel);
    header()->hide();
    setFrameShape(QFrame::NoFrame);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setIndentation(15);
    setIconSize(QSize(16, 16));
    setMouseTracking(true);  // hot tracking: the row under the mouse is highlighted
    setAttribute(Qt::WA_Hover);
    // All rows are one line of text and a 16-pixel picture: the view need not measure
    // each one, which keeps expanding a big tree quick.
    setUniformRowHeights(true);
    setAnimated(false);
    setExpandsOnDoubleClick(true);
    // The selected entry stays visible while the document has the focus.
    QPalette Colours = palette();
    for (QPalette::ColorRole Role : {QPalette::Highlight, QPalette::HighlightedText})
        Colours.setColor(QPalette::Inactive, Role, Colours.color(QPalette::Active, Role));
    setPalette(Colours);

    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& Current) {
                if (!FBusy)
                    emit Change(Current);
            });
}

void TPdfTreeView::FillTree(const catalogue::TDocCatalogue* Catalogue, tools::TImageList* Images)
{
    FBusy = true;
    setUpdatesEnabled(false);
    try {
        FCatalogue = Catalogue;
        FModel->SetImages(Images);
        FModel->SetToc(Catalogue ? &Catalogue->Toc() : nullptr);
        if (FAutoExpand)
            expandAll();
    } catch (...) {
        FinishFill();
        throw;
    }
    FinishFill();
}

void TPdfTreeView::FinishFill()
{
    FBusy = false;
    struct TResume {
        TPdfTreeView* View;
        ~TResume() { View->setUpdatesEnabled(true); }
    } Resume{this};
    if (OnSelectInitial)
        OnSelectInitial();
}

void TPdfTreeView::LinkExpandCheckBox(QCheckBox* Box)
{
    if (FExpandBox)
        disconnect(FExpandBox, nullptr, this, nullptr);
    FExpandBox = Box;
    if (!Box)
        return;
    FAutoExpand = Box->isChecked();
    connect(Box, &QCheckBox::toggled, this, [this](bool Checked) { CB_ExpandAllClick(Checked); });
}

void TPdfTreeView::CB_ExpandAllClick(bool Checked)
{
    FAutoExpand = Checked;
    if (Checked)
        expandAll();
    else
        collapseAll();
}

}  // namespace tavo::docviewer
