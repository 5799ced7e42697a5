// Gallery page: a form of validating fields, one per value kind, with spin buttons, push
// buttons that open the lookup's list or a chooser of the application, fields that show
// their row's glyph while they have no focus, and a field left invalid: red, with the
// reason as its hint. Enter presses the form's default button.
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

#include "GalleryPages.h"
#include "docviewer/DMDocItem.h"
#include "lookup/LookUpCtrls.h"
#include "platform/AnsiText.h"
#include "tools/MessageBoxes.h"
#include "tools/TextToNumber.h"
#include "vxedit/VXEdit.h"

namespace tavo::gallery {

namespace {

using namespace vxedit;

TVXEdit* NewField(const QString& Name, const QString& Hint, const QString& Text, QWidget* Parent)
{
    auto* field = new TVXEdit(Parent);
    field->setObjectName(Name);
    field->setAccessibleName(Name);
    field->setToolTip(Hint);
    field->setText(Text);
    field->setMinimumWidth(260);
    return field;
}

// Up and down by one, the text read as a number (an expression even).
void StepNumber(TVXEdit* Field, int32_t By)
{
    int32_t value = 0;
    const bool shown = std::exchange(tools::MessagesEnabled, false);
    if (!tools::TextToInt(platform::ToAnsi(Field->text()), value) || value == tools::NullInt)
        value = 0;
    tools::MessagesEnabled = shown;
    Field->setText(QString::number(value + By));
    Field->selectAll();
}

QWidget* CreateValidatingFieldsPage(QWidget* Parent)
{
    auto* page = new QWidget(Parent);
    page->setObjectName(QStringLiteral("ValidatingFieldsPage"));
    docviewer::TDM_DocItem* dm = docviewer::DM_DocItem;
    if (!dm)
        dm = new docviewer::TDM_DocItem(page);
    lookup::TLookUp* types = dm->LUp_Types;
    auto* colours = new lookup::TColorLookUp(page);

    auto* layout = new QVBoxLayout(page);
    auto* group = new QGroupBox(QStringLiteral("A heating circuit"), page);
    auto* form = new QFormLayout(group);
    layout->addWidget(group);

    TVXEdit* name = NewField(QStringLiteral("Name"),
                             QStringLiteral("Name|Any text (kind 0); tabs become spaces"),
                             QStringLiteral("Ground floor"), group);
    form->addRow(QStringLiteral("&Name (text)"), name);

    TVXEdit* listed = NewField(QStringLiteral("Document"),
                               QStringLiteral("Document|A type of the table (kind 1, checked in "
                                              "the list); Alt+Down or the button lists them"),
                               QStringLiteral("Rysunek"), group);
    listed->SetValueKind(vkListText);
    listed->SetCheckInList(true);
    listed->SetButtonKind(tools::bkArrowDown);
    listed->SetLookUp(types);
    form->addRow(QStringLiteral("&Document (in the list)"), listed);

    TVXEdit* caption = NewField(QStringLiteral("Type"),
                                QStringLiteral("Type|A type of the table or nothing (kind 11), "
                                               "shown with its glyph"),
                                QStringLiteral("Cennik"), group);
    caption->SetValueKind(vkLookUpText);
    caption->SetButtonKind(tools::bkEllipsis);
    caption->SetDisplayStyle(lookup::dsCaptionGlyph);
    caption->SetLookUp(types);
    form->addRow(QStringLiteral("&Type (caption)"), caption);

    TVXEdit* invalid = NewField(QStringLiteral("Invalid type"),
                                QStringLiteral("Type|A type of the table (kind 11)"),
                                QStringLiteral("Kamień"), group);
    invalid->SetValueKind(vkLookUpText);
    invalid->SetButtonKind(tools::bkArrowDown);
    invalid->SetLookUp(types);
    form->addRow(QStringLiteral("Type, &left invalid"), invalid);

    TVXEdit* heated = NewField(QStringLiteral("Heated"),
                               QStringLiteral("Heated|True or False, or their first letters "
                                              "(kind 6)"),
                               QStringLiteral("t"), group);
    heated->SetValueKind(vkLogical);
    form->addRow(QStringLiteral("&Heated (logical)"), heated);

    TVXEdit* insulated =
        NewField(QStringLiteral("Insulated"),
                 QStringLiteral("Insulated|Yes or No, required (kind 12)"), QString(), group);
    insulated->SetValueKind(vkLogicalItem);
    insulated->SetRequired(true);
    insulated->SetLogicalTexts({"No", "Yes"});
    form->addRow(QStringLiteral("&Insulated (required)"), insulated);

    TVXEdit* floors = NewField(QStringLiteral("Floors"),
                               QStringLiteral("Floors|Up and Down or the spin buttons; hold a "
                                              "button to repeat"),
                               QStringLiteral("3"), group);
    floors->SetButtonKind(bkSpin);
    floors->OnSpinUp = [floors](QObject*) { StepNumber(floors, 1); };
    floors->OnSpinDown = [floors](QObject*) { StepNumber(floors, -1); };
    form->addRow(QStringLiteral("F&loors (spin)"), floors);

    TVXEdit* colour = NewField(QStringLiteral("Colour"),
                               QStringLiteral("Colour|A colour of the lookup (kind 11), shown "
                                              "with its swatch"),
                               QStringLiteral("Red"), group);
    colour->SetValueKind(vkLookUpText);
    colour->SetButtonKind(tools::bkArrowDown);
    colour->SetDisplayStyle(lookup::dsCaptionGlyph);
    colour->SetLookUp(colours);
    form->addRow(QStringLiteral("&Colour (swatch)"), colour);

    TVXEdit* notes = NewField(QStringLiteral("Notes"),
                              QStringLiteral("Notes|The button inserts a phrase at the caret"),
                              QStringLiteral("Pipes in the floor"), group);
    notes->SetButtonKind(tools::bkEllipsis);
    notes->SetReplaceMode(false);
    notes->OnButtonClick = [notes](QObject*, const std::string&,
                                   const lookup::TSetTextEvent& SetText, int32_t X, int32_t Y,
                                   int32_t, int32_t Height) {
        QMenu menu(notes);
        for (const char* phrase : {" insulated", " 16 mm", " to be checked"})
            menu.addAction(QString::fromLatin1(phrase));
        if (QAction* chosen = menu.exec(QPoint(X, Y + Height)))
            SetText(nullptr, platform::ToAnsi(chosen->text()));
    };
    form->addRow(QStringLiteral("N&otes (insert)"), notes);

    TVXEdit* fixed = NewField(QStringLiteral("Supply temperature"),
                              QStringLiteral("Supply|Read-only: the spin keys only beep"),
                              QStringLiteral("70"), group);
    fixed->SetButtonKind(bkSpin);
    fixed->setReadOnly(true);
    form->addRow(QStringLiteral("&Supply (read-only)"), fixed);

    auto* result = new QLabel(QStringLiteral("Enter in a field presses OK"), page);
    result->setObjectName(QStringLiteral("Result"));
    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton(QStringLiteral("OK"), page);
    ok->setObjectName(QStringLiteral("OK"));
    ok->setDefault(true);
    auto* check = new QPushButton(QStringLiteral("Check all"), page);
    check->setObjectName(QStringLiteral("CheckAll"));
    const std::vector<TVXEdit*> fields = {name,      listed, caption, invalid, heated,
                                          insulated, floors, colour,  notes,   fixed};
    QObject::connect(ok, &QPushButton::clicked, result, [result, name] {
        result->setText(QStringLiteral("OK pressed for \"%1\"").arg(name->text()));
    });
    QObject::connect(check, &QPushButton::clicked, result, [result, fields] {
        int invalids = 0;
        for (TVXEdit* field : fields)
            invalids += field->hasFocus() || field->CheckText() ? 0 : 1;
        result->setText(QStringLiteral("%1 field(s) invalid").arg(invalids));
    });
    buttons->addWidget(ok);
    buttons->addWidget(check);
    buttons->addWidget(result, 1);
    layout->addLayout(buttons);
    layout->addStretch();

    // Left once already: shown as the check leaves them.
    invalid->CheckText();
    heated->CheckText();
    return page;
}

GalleryPageRegistration reg{15, QStringLiteral("Validating fields"), CreateValidatingFieldsPage};

}  // namespace

}  // namespace tavo::gallery
