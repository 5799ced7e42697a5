#pragma once
// PdfTreeView: the viewer's table of contents. A read-only tree over TTocModel with
// uniform rows, so that a catalogue of any size is built, expanded and scrolled without
// holding up the window.
#include <QPointer>
#include <QTreeView>
#include <functional>

#include "TocModel.h"
#include "catalogue/DocCatalogue.h"
#include "strings/StringIds.h"

class QCheckBox;

namespace tavo::docviewer {

class TPdfTreeView : public QTreeView {
    Q_OBJECT
public:
    explicit TPdfTreeView(QWidget* Parent = nullptr);

    // Shows the table of contents of Catalogue (not owned; it must outlive the nodes) with
    // Images as its pictures: Busy while it runs, redrawn once at the end, everything
    // expanded when AutoExpand is set. Whatever happens, Busy is cleared, OnSelectInitial
    // runs and drawing resumes before an error passes on.
    void FillTree(const catalogue::TDocCatalogue* Catalogue, tools::TImageList* Images);
    const catalogue::TDocCatalogue* Catalogue() const { return FCatalogue; }

    // Set while the tree is being filled (and by the viewer while it has no document):
    // changes of the current node are not reported then.
    bool Busy() const { return FBusy; }
    void SetBusy(bool Value) { FBusy = Value; }

    // Whether FillTree expands every node: CB_ExpandAll's state ("Expand").
    bool AutoExpand() const { return FAutoExpand; }
    void SetAutoExpand(bool Value) { FAutoExpand = Value; }
    // The tree follows Box: its state is AutoExpand, and ticking or unticking it, by the
    // user or from the stored layout, expands or collapses every node.
    void LinkExpandCheckBox(QCheckBox* Box);
    // Ticked: every node expanded; unticked: every node collapsed.
    void CB_ExpandAllClick(bool Checked);

    TTocModel* TocModel() const { return FModel; }
    const catalogue::TDocItem0* ItemOf(const QModelIndex& Node) const { return FModel->Item(Node); }
    // The catalogue's node shown at Index, and back.
    int32_t NodeOf(const QModelIndex& Index) const { return FModel->Node(Index); }
    QModelIndex IndexOf(int32_t Node) const { return FModel->IndexOf(Node); }

    // The viewer's initial selection, run at the end of every FillTree.
    std::function<void()> OnSelectInitial;

signals:
    // The current node changed (PdfTreeViewChange); not while Busy.
    void Change(const QModelIndex& Node);

private:
    void FinishFill();

    TTocModel* FModel;
    const catalogue::TDocCatalogue* FCatalogue = nullptr;
    QPointer<QCheckBox> FExpandBox;
    bool FBusy = false;
    bool FAutoExpand = true;
};

}  // namespace tavo::docviewer
