// Gallery page: popup lookup lists. Buttons open the document types or the colours under
// themselves, and the colours against a small rectangle near each edge of the screen, where
// the popup must still fit. The chosen row's text (caption, hint, Id or IdStr) is shown.
#include <QComboBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "GalleryPages.h"
#include "docviewer/DMDocItem.h"
#include "lookup/LookUpCtrls.h"
#include "platform/AnsiText.h"

namespace tavo::gallery {

namespace {

using namespace lookup;

QPushButton* NewButton(const QString& Text, const QString& Name, QWidget* Parent)
{
    auto* button = new QPushButton(Text, Parent);
    button->setObjectName(Name);
    return button;
}

QWidget* CreateLookupPopupsPage(QWidget* Parent)
{
    auto* page = new QWidget(Parent);
    page->setObjectName(QStringLiteral("LookupPopupsPage"));
    auto* layout = new QVBoxLayout(page);

    docviewer::TDM_DocItem* dm = docviewer::DM_DocItem;
    if (!dm)
        dm = new docviewer::TDM_DocItem(page);
    auto* colours = new TColorLookUp(page);
    colours->SetAddByLayer(true);
    colours->SetRGBColors(true);

    auto* result = new QLabel(QStringLiteral("Nothing chosen yet"), page);
    result->setObjectName(QStringLiteral("Result"));
    const TSetTextEvent show = [result](QObject*, const std::string& Text) {
        result->setText(QStringLiteral("Chosen: \"%1\"").arg(platform::FromAnsi(Text)));
    };
    colours->OnEditItems = [result](QObject*, const TSetTextEvent&) {
        result->setText(QStringLiteral("Another colour was asked for"));
    };

    auto* returns = new QComboBox(page);
    returns->setObjectName(QStringLiteral("ReturnStr"));
    returns->setAccessibleName(QStringLiteral("Text sent back"));
    returns->addItems({QStringLiteral("Caption"), QStringLiteral("Hint"), QStringLiteral("Id"),
                       QStringLiteral("IdStr")});
    auto returnStr = [returns] { return static_cast<TReturnStr>(returns->currentIndex()); };

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Text sent back:"), page));
    top->addWidget(returns);
    QPushButton* types =
        NewButton(QStringLiteral("Document types \u25be"), QStringLiteral("TypesButton"), page);
    types->setToolTip(QStringLiteral("Types|The document types of the catalogue"));
    QObject::connect(types, &QPushButton::clicked, types,
                     [=] { dm->LUp_Types->PopupUnder(types, returnStr(), show); });
    QPushButton* colourButton =
        NewButton(QStringLiteral("Colours \u25be"), QStringLiteral("ColoursButton"), page);
    QObject::connect(colourButton, &QPushButton::clicked, colourButton,
                     [=] { colours->PopupUnder(colourButton, returnStr(), show); });
    top->addWidget(types);
    top->addWidget(colourButton);
    top->addStretch();
    layout->addLayout(top);

    // A 60 x 20 rectangle 8 pixels in from each corner and edge of the work area.
    layout->addWidget(new QLabel(
        QStringLiteral("The colours against a rectangle near an edge of the screen:"), page));
    auto* edges = new QGridLayout;
    struct TEdge {
        const char* Title;
        const char* Name;
        int Row, Column;
        double X, Y;  // 0 left/top, 1 right/bottom
    } places[] = {
        {"Top left", "TopLeft", 0, 0, 0, 0},   {"Top", "Top", 0, 1, 0.5, 0},
        {"Top right", "TopRight", 0, 2, 1, 0}, {"Left", "Left", 1, 0, 0, 0.5},
        {"Right", "Right", 1, 2, 1, 0.5},      {"Bottom left", "BottomLeft", 2, 0, 0, 1},
        {"Bottom", "Bottom", 2, 1, 0.5, 1},    {"Bottom right", "BottomRight", 2, 2, 1, 1}};
    for (const TEdge& place : places) {
        QPushButton* button =
            NewButton(QString::fromLatin1(place.Title), QString::fromLatin1(place.Name), page);
        const double fx = place.X;
        const double fy = place.Y;
        QObject::connect(button, &QPushButton::clicked, button, [=] {
            const QRect area = TCustomLookUpList::WorkArea(button->mapToGlobal(QPoint(0, 0)));
            const int x = area.left() + 8 + static_cast<int>((area.width() - 76) * fx);
            const int y = area.top() + 8 + static_cast<int>((area.height() - 36) * fy);
            colours->PopupAt(x, y, 60, 20, returnStr(), show);
        });
        edges->addWidget(button, place.Row, place.Column);
    }
    layout->addLayout(edges);
    layout->addWidget(result);
    layout->addWidget(new QLabel(
        QStringLiteral(
            "While a popup is open the keys move its hot cell (arrows, Tab), Enter chooses, "
            "Escape or a click elsewhere closes it."),
        page));
    layout->addStretch();
    return page;
}

GalleryPageRegistration reg{13, QStringLiteral("Lookup popups"), CreateLookupPopupsPage};

}  // namespace

}  // namespace tavo::gallery
