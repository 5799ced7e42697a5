// Gallery page: the computed lookups in embedded lookup lists. The colour lookup in both
// swatch shapes, the list's border styles and its flat look; an action lookup whose actions
// are switched on and off while the page is shown; a sub-lookup of the document types.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

#include "GalleryPages.h"
#include "docviewer/DMDocItem.h"
#include "lookup/LookUpCtrls.h"
#include "platform/AnsiText.h"

namespace tavo::gallery {

namespace {

using namespace lookup;

QLabel* Caption(const QString& Text, QWidget* Parent)
{
    auto* label = new QLabel(Text, Parent);
    label->setWordWrap(true);
    return label;
}

// An embedded list with a name screen readers use; its chosen text goes to Result.
TLookUpList* NewList(TCustomLookUp* LookUp, const QString& Name, QLabel* Result, QWidget* Parent)
{
    auto* list = new TLookUpList(Parent);
    list->setObjectName(Name);
    list->setAccessibleName(Name);
    list->SetLookUp(LookUp);
    list->OnSetText = [Result, Name](QObject*, const std::string& Text) {
        Result->setText(QStringLiteral("%1: %2").arg(Name, platform::FromAnsi(Text)));
    };
    return list;
}

QWidget* ColourGroup(QLabel* Result, QWidget* Parent)
{
    auto* group = new QGroupBox(QStringLiteral("Colour lookups"), Parent);
    auto* grid = new QGridLayout(group);
    auto* squares = new TColorLookUp(group);
    squares->SetAddByLayer(true);
    squares->SetRGBColors(true);
    squares->IndexOfId(0x3080C0);  // a colour outside the table
    squares->OnEditItems = [Result](QObject*, const TSetTextEvent&) {
        Result->setText(QStringLiteral("Another colour was asked for"));
    };
    auto* lines = new TColorLookUp(group);
    lines->SetGlyphShape(lgs_Line);

    struct TSample {
        TColorLookUp* LookUp;
        QString Title;
        TLookUpListBorderStyle Border;
        TLookUpListStyle Style;
        uint16_t Columns;
    } samples[] = {
        {squares, QStringLiteral("Squares, single border"), bsSingle, lsStandsrd, 3},
        {lines, QStringLiteral("Lines, every item bordered"), bsEveryItem, lsStandsrd, 3},
        {squares, QStringLiteral("Squares, flat look"), bsSingle, lsFlat, 3},
        {lines, QStringLiteral("Lines, no border"), bsNone, lsStandsrd, 3},
    };
    int place = 0;
    for (const TSample& sample : samples) {
        auto* cell = new QVBoxLayout;
        cell->addWidget(Caption(sample.Title, group));
        TLookUpList* list = NewList(sample.LookUp, sample.Title, Result, group);
        list->SetColumns(sample.Columns);
        list->SetBorderStyle(sample.Border);
        list->SetStyle(sample.Style);
        cell->addWidget(list, 0, Qt::AlignLeft);
        cell->addStretch();
        grid->addLayout(cell, place / 2, place % 2);
        ++place;
    }
    return group;
}

QWidget* ActionGroup(QLabel* Result, QWidget* Parent)
{
    auto* group = new QGroupBox(QStringLiteral("Action lookup"), Parent);
    auto* layout = new QGridLayout(group);
    auto* lookup = new TActionsLookUp(group);
    struct TActionSample {
        const char* Text;
        QStyle::StandardPixmap Icon;
    } samples[] = {{"&Open", QStyle::SP_DialogOpenButton},
                   {"&Save", QStyle::SP_DialogSaveButton},
                   {"&Print", QStyle::SP_FileIcon},
                   {"&Close", QStyle::SP_DialogCloseButton}};
    auto* checks = new QVBoxLayout;
    for (const TActionSample& sample : samples) {
        auto* action = new QAction(group->style()->standardIcon(sample.Icon),
                                   QString::fromLatin1(sample.Text), group);
        QObject::connect(action, &QAction::triggered, Result, [Result, action] {
            Result->setText(QStringLiteral("Action run: %1").arg(action->iconText()));
        });
        auto* container = new TActionContainer(group);
        container->SetAction(action);
        container->SetActionsLookUp(lookup);
        auto* check = new QCheckBox(QStringLiteral("%1 enabled").arg(action->iconText()), group);
        check->setChecked(true);
        QObject::connect(check, &QCheckBox::toggled, action, &QAction::setEnabled);
        checks->addWidget(check);
    }
    // An action's state may also come from its update, as the list asks for it.
    auto* closeAllowed =
        new QCheckBox(QStringLiteral("Close allowed (asked by the update)"), group);
    closeAllowed->setChecked(false);
    SetActionUpdate(lookup->Container(3).Action(), [closeAllowed](QAction& Action) {
        Action.setEnabled(closeAllowed->isChecked());
    });
    checks->addWidget(closeAllowed);
    checks->addStretch();
    // A container without an action: an empty, disabled row.
    (new TActionContainer(group))->SetActionsLookUp(lookup);

    TLookUpList* list = NewList(lookup, QStringLiteral("Actions"), Result, group);
    list->SetBorderStyle(bsSingle);
    layout->addWidget(list, 0, 0, Qt::AlignTop);
    layout->addLayout(checks, 0, 1);
    return group;
}

QWidget* SubGroup(QLabel* Result, QWidget* Parent)
{
    auto* group = new QGroupBox(QStringLiteral("Sub-lookup of the document types"), Parent);
    auto* layout = new QVBoxLayout(group);
    docviewer::TDM_DocItem* dm = docviewer::DM_DocItem;
    if (!dm)
        dm = new docviewer::TDM_DocItem(group);
    auto* sub = new TSubLookUp(group);
    sub->SetLookUp(dm->LUp_Types);
    sub->SetSubSet({1, 3, 7, 8, 23, 24, 99});  // 99 is no type: pruned
    layout->addWidget(Caption(QStringLiteral("Ids {1, 3, 7, 8, 23, 24} of LUp_Types"), group));
    TLookUpList* list = NewList(sub, QStringLiteral("Some document types"), Result, group);
    list->SetColumns(2);
    layout->addWidget(list, 0, Qt::AlignLeft);
    layout->addStretch();
    return group;
}

QWidget* CreateComputedLookupsPage(QWidget* Parent)
{
    auto* page = new QWidget(Parent);
    page->setObjectName(QStringLiteral("ComputedLookupsPage"));
    auto* layout = new QGridLayout(page);
    auto* result = new QLabel(QStringLiteral("Choose a cell: Enter or a click"), page);
    result->setObjectName(QStringLiteral("Result"));
    layout->addWidget(ColourGroup(result, page), 0, 0, 1, 2);
    layout->addWidget(ActionGroup(result, page), 1, 0);
    layout->addWidget(SubGroup(result, page), 1, 1);
    layout->addWidget(result, 2, 0, 1, 2);
    layout->setRowStretch(3, 1);
    return page;
}

GalleryPageRegistration reg{11, QStringLiteral("Computed lookups"), CreateComputedLookupsPage};

}  // namespace

}  // namespace tavo::gallery
