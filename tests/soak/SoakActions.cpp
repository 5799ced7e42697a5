#include "SoakActions.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QPointer>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeView>
#include <QWheelEvent>
#include <QWindow>

#include "docviewer/FDOCPDFViewer.h"
#include "shell/FMain.h"

namespace tavo::soak {

namespace {

QWindow* Handle(QWidget* Window)
{
    return Window ? Window->windowHandle() : nullptr;
}

bool Shown(const QWidget* W)
{
    return W && W->isVisible() && W->window()->isVisible();
}

Qt::MouseButton ButtonOf(int Button)
{
    return Button == 2 ? Qt::RightButton : (Button == 3 ? Qt::MiddleButton : Qt::LeftButton);
}

// The rows a user can reach in a view: the visible ones, expanded branches included.
QList<QModelIndex> Rows(QAbstractItemView* View)
{
    QList<QModelIndex> rows;
    QAbstractItemModel* model = View->model();
    if (!model)
        return rows;
    if (auto* tree = qobject_cast<QTreeView*>(View)) {
        for (QModelIndex i = model->index(0, 0); i.isValid() && rows.size() < 500;
             i = tree->indexBelow(i))
            rows.push_back(i);
    } else {
        for (int r = 0; r < model->rowCount() && r < 500; ++r)
            rows.push_back(model->index(r, 0));
    }
    return rows;
}

}  // namespace

TSoakActions::TSoakActions(shell::TF_Main* Main, QString Pages)
    : FMain(Main), FPages(std::move(Pages))
{
}

QWidget* TSoakActions::ActiveWindow() const
{
    QWidget* w = QApplication::activePopupWidget();
    if (!w)
        w = QApplication::activeModalWidget();
    if (!w)
        w = QApplication::activeWindow();
    if (!w || !w->isVisible() || !w->windowHandle())
        w = FMain;
    return w;
}

void TSoakActions::ClickWidget(QWidget* Widget, QPoint At, bool Double, int Button)
{
    QWidget* window = Widget->window();
    const QPoint p = Widget->mapTo(window, At);
    // Every event may close the window it went to (a menu entry chosen, a box answered):
    // the next one goes to it only while it is there, as the window system would do.
    QPointer<QWindow> handle = Handle(window);
    if (!handle)
        return;
    QTest::mouseMove(handle, p);
    if (!handle)
        return;
    const Qt::MouseButton button = ButtonOf(Button);
    if (Double) {
        // Press, release, press, release: the events after the first follow the window.
        QTest::mouseDClick(handle, button, Qt::NoModifier, p);
        return;
    }
    QTest::mousePress(handle, button, Qt::NoModifier, p);
    if (handle)
        QTest::mouseRelease(handle, button, Qt::NoModifier, p);
}

void TSoakActions::Type(QWidget* Window, const QString& Text)
{
    for (QChar c : Text) {
        QWindow* handle = Handle(Window);
        if (!handle)
            return;
        const char16_t u = c.toUpper().unicode();
        // Printable ASCII keys are their own key codes; other letters come as text alone.
        const auto key = (u > 0x20 && u < 0x7f) ? static_cast<Qt::Key>(u) : Qt::Key_unknown;
        QTest::sendKeyEvent(QTest::Click, handle, key, QString(c), Qt::NoModifier);
        Window = ActiveWindow();  // a key may have opened or closed a window
    }
}

bool TSoakActions::SelectTab(int Index)
{
    auto* pages = FMain->findChild<QTabWidget*>(QStringLiteral("PageControl1"));
    if (!pages || !Shown(pages->tabBar()))
        return false;
    QTabBar* bar = pages->tabBar();
    ClickWidget(bar, bar->tabRect(Index).center(), false);
    return true;
}

QString TSoakActions::Do(const TAction& A)
{
    QWidget* window = ActiveWindow();
    QWindow* handle = Handle(window);
    // A point of the window as it is on the screen, which a resize the window manager has
    // not carried out yet has not changed.
    const QSize size = handle ? handle->geometry().size() : window->size();
    const QPoint at(static_cast<int>(A.X * size.width()), static_cast<int>(A.Y * size.height()));
    switch (A.Kind) {
    case TActionKind::Key:
        if (handle)
            QTest::keyClick(handle, static_cast<Qt::Key>(A.Key),
                            Qt::KeyboardModifiers(A.Modifiers));
        break;
    case TActionKind::Text:
        Type(window, QString::fromStdString(A.Text));
        break;
    case TActionKind::Click:
    case TActionKind::DoubleClick:
        ClickWidget(window, at, A.Kind == TActionKind::DoubleClick, A.Button);
        break;
    case TActionKind::Wheel: {
        QWidget* target = window->childAt(at);
        if (!target)
            target = window;
        const QPointF local = target->mapFrom(window, at);
        QWheelEvent wheel(local, target->mapToGlobal(local), QPoint(), QPoint(0, A.Delta),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &wheel);
        break;
    }
    case TActionKind::Resize: {
        const QRect screen = FMain->screen()->availableGeometry();
        FMain->showNormal();
        FMain->resize(static_cast<int>(A.X * screen.width()),
                      static_cast<int>(A.Y * screen.height()));
        break;
    }
    case TActionKind::Maximise:
        FMain->showMaximized();
        break;
    case TActionKind::SwitchTab:
        if (!SelectTab(A.Index))
            return QStringLiteral("(tab bar hidden)");
        break;
    case TActionKind::OpenEntry:
    case TActionKind::OpenResult: {
        QAbstractItemView* view = nullptr;
        if (A.Kind == TActionKind::OpenEntry) {
            if (docviewer::TF_DocPDFViewer* viewer = FMain->Viewer())
                view = viewer->findChild<QTreeView*>();
        } else {
            view = FMain->findChild<QListView*>(QStringLiteral("LV_SearchResults"));
        }
        if (!Shown(view)) {
            SelectTab(shell::TF_Main::TabManual);
            return QStringLiteral("(not shown: the Manual tab instead)");
        }
        const QList<QModelIndex> rows = Rows(view);
        if (rows.isEmpty()) {
            if (handle)
                QTest::keyClick(handle, Qt::Key_F3);
            return QStringLiteral("(no rows: F3 instead)");
        }
        const QModelIndex row = rows[A.Index % rows.size()];
        view->scrollTo(row);
        ClickWidget(view->viewport(), view->visualRect(row).center(), A.Double);
        break;
    }
    case TActionKind::SearchManual: {
        auto* field = FMain->findChild<QLineEdit*>(QStringLiteral("E_ManualSearch"));
        if (!Shown(field)) {
            SelectTab(shell::TF_Main::TabManual);
            return QStringLiteral("(not shown: the Manual tab instead)");
        }
        ClickWidget(field, field->rect().center(), false);
        QTest::keyClick(Handle(field->window()), Qt::Key_A, Qt::ControlModifier);
        Type(field->window(), QString::fromStdString(A.Text));
        QTest::keyClick(Handle(field->window()), Qt::Key_Return);
        break;
    }
    case TActionKind::TypeAddress: {
        auto* combo = FMain->findChild<QComboBox*>(QStringLiteral("dxAddressCombo"));
        if (!Shown(combo) || !combo->lineEdit()) {
            SelectTab(shell::TF_Main::TabInternet);
            return QStringLiteral("(not shown: the Internet tab instead)");
        }
        const QString page = A.Index < LocalPageCount ? QStringLiteral("page%1.html").arg(A.Index)
                                                      : QStringLiteral("missing.html");
        ClickWidget(combo->lineEdit(), combo->lineEdit()->rect().center(), false);
        QTest::keyClick(Handle(combo->window()), Qt::Key_A, Qt::ControlModifier);
        Type(combo->window(), FPages + page);
        QTest::keyClick(Handle(combo->window()), Qt::Key_Return);
        return QStringLiteral("address ") + FPages + page;
    }
    case TActionKind::StartInstaller:
    case TActionKind::StartProgram: {
        const QString name = A.Kind == TActionKind::StartInstaller
                                 ? QStringLiteral("Sbtn_InstallHD")
                                 : QStringLiteral("SBtn_HD");
        auto* button = FMain->findChild<QToolButton*>(name);
        if (!Shown(button)) {
            SelectTab(shell::TF_Main::TabPrograms);
            return QStringLiteral("(not shown: the Programs tab instead)");
        }
        ClickWidget(button, button->rect().center(), false);
        break;
    }
    }
    return {};
}

}  // namespace tavo::soak
