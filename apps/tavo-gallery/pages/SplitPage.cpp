// The split panes: one split of three panes whose style, orientation and options change
// live, and below it every style side by side with both kinds of caption bar.
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "GalleryPages.h"
#include "split/OxSplit.h"

namespace tavo::gallery {
namespace {

using namespace tavo::split;

const char* const StyleNames[] = {"oxsAuto",   "oxsWin31", "oxsWin95",  "oxsInset",
                                  "oxsGroove", "oxsWin97", "oxsRaised", "oxsPlain"};
const char* const OrientationNames[] = {"oxsVert", "oxsHorz",  "oxsLeft",
                                        "oxsTop",  "oxsRight", "oxsBottom"};

// Content larger than a pane, so that the scroll bars (and SyncScroll) have work to do.
QWidget* PaneContent(const QString& Title)
{
    auto* content = new QWidget;
    auto* grid = new QGridLayout(content);
    for (int row = 0; row < 14; ++row) {
        for (int column = 0; column < 4; ++column)
            grid->addWidget(
                new QLabel(QStringLiteral("%1 %2.%3").arg(Title).arg(row + 1).arg(column + 1)), row,
                column);
    }
    return content;
}

ToxScrollPane* AddPane(ToxCustomSplit* Split, const char* Name, const QString& Title,
                       ToxsCaptionStyle Caption, ToxsCaptionOrientation Orientation,
                       bool WithContent)
{
    auto* pane = new ToxScrollPane(Split);
    pane->setObjectName(QString::fromLatin1(Name));
    pane->SetCaption(Title.toStdString());
    pane->SetCaptionStyle(Caption);
    pane->SetCaptionOrientation(Orientation);
    if (WithContent)
        pane->setWidget(PaneContent(Title));
    return pane;
}

class TSplitPage : public QWidget {
public:
    explicit TSplitPage(QWidget* Parent) : QWidget(Parent)
    {
        setObjectName(QStringLiteral("SplitPage"));
        auto* layout = new QVBoxLayout(this);
        layout->addLayout(BuildControls());

        Split = new ToxSplit(this);
        Split->setObjectName(QStringLiteral("Split"));
        Split->setAccessibleName(QStringLiteral("Split of three panes"));
        Split->SetOptions({oxsHideInvisible, oxsSaveAsPercent});
        Split->SetPercentX(40);
        Split->SetPercentY(55);
        AddPane(Split, "Pane1", QStringLiteral("Contents"), oxsTitlebar,
                ToxsCaptionOrientation::oxsHorz, true);
        AddPane(Split, "Pane2", QStringLiteral("Grab"), oxsGrabBar, ToxsCaptionOrientation::oxsHorz,
                true);
        AddPane(Split, "Pane3", QStringLiteral("Details"), oxsTitlebar,
                ToxsCaptionOrientation::oxsVert, true);
        layout->addWidget(Split, 3);

        // Every style at once, each with a different pair of caption bars, on silver so that
        // the white edges of the frames show.
        auto* styles = new QGridLayout;
        for (int style = 0; style < 8; ++style) {
            auto* sample = new ToxSplit(this);
            sample->setObjectName(QStringLiteral("Sample_%1").arg(StyleNames[style]));
            sample->setAccessibleName(QString::fromLatin1(StyleNames[style]));
            sample->SetStyle(static_cast<ToxsStyle>(style));
            sample->SetColor(tools::clSilver);
            sample->SetOptions({oxsHideInvisible, oxsSaveAsPercent});
            sample->SetOrientation(oxsHorz);
            const bool vertical = style % 2 == 1;
            const auto orientation =
                vertical ? ToxsCaptionOrientation::oxsVert : ToxsCaptionOrientation::oxsHorz;
            AddPane(sample, "A", QStringLiteral("Title"), oxsTitlebar, orientation, false);
            AddPane(sample, "B", QStringLiteral("Grab"), oxsGrabBar, orientation, false);
            AddPane(sample, "C", QString(), oxsNone, orientation, false);
            sample->setMinimumHeight(150);
            styles->addWidget(new QLabel(QString::fromLatin1(StyleNames[style])), 0, style);
            styles->addWidget(sample, 1, style);
        }
        layout->addLayout(styles, 2);
    }

private:
    QLayout* BuildControls()
    {
        auto* row = new QHBoxLayout;
        auto* style = new QComboBox;
        style->setObjectName(QStringLiteral("StyleBox"));
        for (const char* name : StyleNames)
            style->addItem(QString::fromLatin1(name));
        auto* orientation = new QComboBox;
        orientation->setObjectName(QStringLiteral("OrientationBox"));
        for (const char* name : OrientationNames)
            orientation->addItem(QString::fromLatin1(name));
        auto* form = new QFormLayout;
        form->addRow(QStringLiteral("&Style"), style);
        form->addRow(QStringLiteral("&Orientation"), orientation);
        row->addLayout(form);

        auto* options = new QGridLayout;
        auto check = [&](const QString& Text, int Row, int Column, bool Checked,
                         std::function<void(bool)> Apply) {
            auto* box = new QCheckBox(Text);
            box->setChecked(Checked);
            connect(box, &QCheckBox::toggled, this, std::move(Apply));
            options->addWidget(box, Row, Column);
        };
        auto option = [this](ToxsOption Option) {
            return [this, Option](bool On) {
                const ToxsOptions now = Split->Options();
                Split->SetOptions(On ? now.With(Option) : now.Without(Option));
                Split->AlignControls();
                Split->update();
            };
        };
        check(QStringLiteral("&Hide invisible"), 0, 0, true, option(oxsHideInvisible));
        check(QStringLiteral("Save as &percent"), 1, 0, true, option(oxsSaveAsPercent));
        check(QStringLiteral("&Version 1"), 2, 0, false, option(oxsVer1Compat));
        check(QStringLiteral("&Auto update"), 0, 1, false,
              [this](bool On) { Split->SetAutoUpdate(On); });
        check(QStringLiteral("&Locked"), 1, 1, false, [this](bool On) { Split->SetLocked(On); });
        check(QStringLiteral("S&ync scroll"), 2, 1, false,
              [this](bool On) { Split->SetSyncScroll(On); });
        row->addLayout(options);

        auto* showAll = new QPushButton(QStringLiteral("Show all &panes"));
        connect(showAll, &QPushButton::clicked, this, [this] {
            for (ToxScrollPane* pane : Split->Panes())
                pane->show();
        });
        Position = new QLabel;
        Position->setObjectName(QStringLiteral("PositionLabel"));
        auto* right = new QVBoxLayout;
        right->addWidget(showAll);
        right->addWidget(Position);
        row->addLayout(right);
        row->addStretch(1);

        connect(style, &QComboBox::currentIndexChanged, this,
                [this](int Index) { Split->SetStyle(static_cast<ToxsStyle>(Index)); });
        connect(orientation, &QComboBox::currentIndexChanged, this,
                [this](int Index) { Split->SetOrientation(static_cast<ToxsOrientation>(Index)); });
        return row;
    }

    void showEvent(QShowEvent* Event) override
    {
        QWidget::showEvent(Event);
        if (!Connected) {
            Connected = true;
            auto show = [this] {
                Position->setText(QStringLiteral("Position %1, %2 (%3 %, %4 %)")
                                      .arg(Split->PositionX())
                                      .arg(Split->PositionY())
                                      .arg(Split->PercentX())
                                      .arg(Split->PercentY()));
            };
            connect(Split, &ToxCustomSplit::OnResize, this, show);
            connect(Split, &ToxCustomSplit::OnChange, this, show);
            show();
        }
    }

    ToxSplit* Split = nullptr;
    QLabel* Position = nullptr;
    bool Connected = false;
};

GalleryPageRegistration reg{70, QStringLiteral("Split panes"),
                            [](QWidget* Parent) { return new TSplitPage(Parent); }};

}  // namespace
}  // namespace tavo::gallery
