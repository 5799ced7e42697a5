#include "ReaderStrip.h"

#include <QAction>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include "ReaderStrings.h"

namespace tavo::pdfreader {

TReaderStrip::TReaderStrip(const TActions& Actions, QWidget* Parent) : QWidget(Parent)
{
    setObjectName(QStringLiteral("ReaderStrip"));
    setAccessibleName(texts::Toolbar());
    setAutoFillBackground(true);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 1, 4, 1);
    layout->setSpacing(2);

    layout->addWidget(Button(Actions.Back, "BackButton"));
    layout->addWidget(Button(Actions.Forward, "ForwardButton"));
    layout->addSpacing(8);

    FPageField = new QLineEdit(this);
    FPageField->setObjectName(QStringLiteral("PageField"));
    FPageField->setAccessibleName(texts::PageNumber());
    FPageField->setAlignment(Qt::AlignRight);
    FPageField->setValidator(new QIntValidator(1, 1, FPageField));
    FPageField->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 8);
    connect(FPageField, &QLineEdit::returnPressed, this, [this] {
        const int page = FPageField->text().toInt();
        if (page >= 1 && page <= FCount)
            emit pageEntered(page);
    });
    FPageCount = new QLabel(this);
    FPageCount->setObjectName(QStringLiteral("PageCount"));
    FPageCount->setBuddy(FPageField);
    layout->addWidget(FPageField);
    layout->addWidget(FPageCount);
    layout->addSpacing(12);

    layout->addWidget(Button(Actions.ZoomOut, "ZoomOutButton"));
    FZoomLevel = new QLabel(this);
    FZoomLevel->setObjectName(QStringLiteral("ZoomLevel"));
    FZoomLevel->setAccessibleName(texts::ZoomLevel());
    FZoomLevel->setAlignment(Qt::AlignCenter);
    FZoomLevel->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000%")) + 4);
    layout->addWidget(FZoomLevel);
    layout->addWidget(Button(Actions.ZoomIn, "ZoomInButton"));
    layout->addWidget(Button(Actions.FitWidth, "FitWidthButton"));
    layout->addWidget(Button(Actions.FitPage, "FitPageButton"));
    layout->addWidget(Button(Actions.ActualSize, "ActualSizeButton"));
    layout->addSpacing(8);
    layout->addWidget(Button(Actions.Print, "PrintButton"));
    layout->addWidget(Button(Actions.SaveCopy, "SaveCopyButton"));
    layout->addWidget(Button(Actions.OpenExternally, "OpenExternallyButton"));
    layout->addStretch(1);

    FFindField = new QLineEdit(this);
    FFindField->setObjectName(QStringLiteral("FindField"));
    FFindField->setAccessibleName(texts::FindText());
    FFindField->setPlaceholderText(texts::Find());
    FFindField->setClearButtonEnabled(true);
    FFindField->setMaximumWidth(220);
    FFindField->installEventFilter(this);
    connect(FFindField, &QLineEdit::textEdited, this, [this](const QString& Text) {
        FFindStatus->clear();
        if (Text.isEmpty())
            emit findCancelled();
    });
    layout->addWidget(FFindField, 1);
    layout->addWidget(Button(Actions.FindPrevious, "FindPreviousButton"));
    layout->addWidget(Button(Actions.FindNext, "FindNextButton"));
    FFindStatus = new QLabel(this);
    FFindStatus->setObjectName(QStringLiteral("FindStatus"));
    layout->addWidget(FFindStatus);

    SetPage(0, 0);
    SetZoom(1.0);
}

QToolButton* TReaderStrip::Button(QAction* Action, const char* Name)
{
    auto* button = new QToolButton(this);
    button->setObjectName(QString::fromLatin1(Name));
    button->setDefaultAction(Action);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::TabFocus);
    button->setAccessibleName(Action->text());
    button->setIconSize(QSize(16, 16));
    return button;
}

void TReaderStrip::SetPage(int Page, int Count)
{
    FCount = Count;
    static_cast<QIntValidator*>(const_cast<QValidator*>(FPageField->validator()))
        ->setRange(1, std::max(1, Count));
    FPageField->setEnabled(Count > 0);
    FFindField->setEnabled(Count > 0);
    if (!FPageField->hasFocus() || !FPageField->isModified())
        FPageField->setText(Count > 0 ? QString::number(Page) : QString());
    FPageCount->setText(Count > 0 ? texts::PageOf(Count) : QString());
    FPageField->setAccessibleDescription(Count > 0 ? texts::PageOfDescription(Count) : QString());
}

void TReaderStrip::SetZoom(double Zoom)
{
    FZoomLevel->setText(QStringLiteral("%1%").arg(qRound(Zoom * 100)));
}

void TReaderStrip::SetFindStatus(const QString& Text)
{
    FFindStatus->setText(Text);
}

bool TReaderStrip::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Watched == FFindField && Event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(Event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            emit findRequested(FFindField->text(), key->modifiers() & Qt::ShiftModifier);
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            FFindStatus->clear();
            emit findCancelled();
            return true;
        }
    }
    return QWidget::eventFilter(Watched, Event);
}

}  // namespace tavo::pdfreader
