// Gallery page: the maker's combo box and list box. Normal and read-only combo boxes in each
// border style, one without a selection, one whose read-only mode is switched here, and a
// list box; F1 on any of them shows its help text.
#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "GalleryPages.h"
#include "vxcontrols/VXControls.h"

namespace tavo::gallery {

namespace {

using namespace vxcontrols;

const QStringList Heatings = {QStringLiteral("Radiators"), QStringLiteral("Floor heating"),
                              QStringLiteral("Wall heating"), QStringLiteral("Convectors")};

TVXCustomComboBox* NewCombo(const QString& Name, int Selected, QWidget* Parent)
{
    auto* combo = new TVXCustomComboBox(Parent);
    combo->setObjectName(Name);
    combo->setAccessibleName(Name);
    combo->setToolTip(QStringLiteral("Heating|The kind of heating of the room (F1 shows this)."));
    combo->addItems(Heatings);
    combo->setCurrentIndex(Selected);
    combo->setMinimumWidth(180);
    combo->setMaximumWidth(260);
    return combo;
}

QWidget* CreateVXControlsPage(QWidget* Parent)
{
    auto* page = new QWidget(Parent);
    page->setObjectName(QStringLiteral("VXControlsPage"));
    auto* layout = new QVBoxLayout(page);
    auto* form = new QFormLayout;
    layout->addLayout(form);

    form->addRow(QStringLiteral("Normal"), NewCombo(QStringLiteral("Normal combo box"), 1, page));

    struct TReadOnly {
        const char* Title;
        TVXBorderStyle Border;
        int Selected;
    } readOnly[] = {{"Read-only, single border", bsSingle, 0},
                    {"Read-only, flat border", bsFlat, 2},
                    {"Read-only, no border", bsNone, 3},
                    {"Read-only, nothing selected", bsSingle, -1}};
    for (const TReadOnly& sample : readOnly) {
        const QString title = QString::fromLatin1(sample.Title);
        TVXCustomComboBox* combo = NewCombo(title, sample.Selected, page);
        combo->SetBorderStyle(sample.Border);
        combo->SetReadOnly(true);
        form->addRow(title, combo);
    }

    // Read-only and back: the box stays disabled until it is enabled on purpose.
    TVXCustomComboBox* switched = NewCombo(QStringLiteral("Switched combo box"), 1, page);
    auto* readOnlyCheck = new QCheckBox(QStringLiteral("Read-only"), page);
    readOnlyCheck->setObjectName(QStringLiteral("ReadOnlyCheck"));
    auto* enable = new QPushButton(QStringLiteral("Enable"), page);
    enable->setObjectName(QStringLiteral("EnableButton"));
    QObject::connect(readOnlyCheck, &QCheckBox::toggled, switched,
                     [switched](bool On) { switched->SetReadOnly(On); });
    QObject::connect(enable, &QPushButton::clicked, switched,
                     [switched] { switched->setEnabled(true); });
    auto* switches = new QHBoxLayout;
    switches->addWidget(switched);
    switches->addWidget(readOnlyCheck);
    switches->addWidget(enable);
    switches->addStretch();
    form->addRow(QStringLiteral("Switched"), switches);

    auto* list = new TVXCustomListBox(page);
    list->setObjectName(QStringLiteral("List box"));
    list->setAccessibleName(QStringLiteral("Heatings"));
    list->setToolTip(QStringLiteral("Heatings|The kinds of heating this program designs."));
    list->addItems(Heatings);
    list->setCurrentRow(1);
    list->setMaximumSize(220, 110);
    form->addRow(QStringLiteral("List box"), list);

    auto* keys =
        new QLabel(QStringLiteral("The keys a list's key-down event gets (F1 never):"), page);
    auto* seen = new QLabel(page);
    seen->setObjectName(QStringLiteral("KeysSeen"));
    list->OnKeyDown = [seen](QWidget*, int& Key, Qt::KeyboardModifiers) {
        seen->setText(seen->text() + QStringLiteral(" %1").arg(Key, 0, 16));
    };
    layout->addWidget(keys);
    layout->addWidget(seen);
    layout->addStretch();
    return page;
}

GalleryPageRegistration reg{12, QStringLiteral("List and combo boxes"), CreateVXControlsPage};

}  // namespace

}  // namespace tavo::gallery
