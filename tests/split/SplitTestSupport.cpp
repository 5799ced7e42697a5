#include "SplitTestSupport.h"

#include <QScrollBar>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

namespace tavo::split::test {

std::unique_ptr<ToxSplit> ShownSplit(int Width, int Height, int Panes, ToxsStyle Style,
                                     ToxsOptions Options)
{
    auto split = std::make_unique<ToxSplit>();
    split->SetStyle(Style);
    split->SetOptions(Options);
    for (int i = 0; i < Panes; ++i)
        (new ToxScrollPane(split.get()))->setObjectName(QStringLiteral("Pane%1").arg(i));
    split->resize(Width, Height);
    split->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(split.get()));
    return split;
}

ToxScrollPane* Pane(const ToxCustomSplit& Split, int Index)
{
    return Split.findChild<ToxScrollPane*>(QStringLiteral("Pane%1").arg(Index));
}

namespace {

void Send(QTest::MouseAction Action, QWidget* Widget, QPoint Pos, Qt::MouseButton Button)
{
    QWindow* window = Widget->window()->windowHandle();
    ASSERT_NE(window, nullptr);
    const QPoint at = window->mapFromGlobal(Widget->mapToGlobal(Pos));
    QTest::mouseEvent(Action, window, Button, Qt::KeyboardModifiers(), at);
}

}  // namespace

void Press(QWidget* Widget, QPoint Pos, Qt::MouseButton Button)
{
    Send(QTest::MousePress, Widget, Pos, Button);
}

void Move(QWidget* Widget, QPoint Pos)
{
    Send(QTest::MouseMove, Widget, Pos, Qt::NoButton);
}

void Release(QWidget* Widget, QPoint Pos, Qt::MouseButton Button)
{
    Send(QTest::MouseRelease, Widget, Pos, Button);
}

void Click(QWidget* Widget, QPoint Pos, Qt::MouseButton Button)
{
    Press(Widget, Pos, Button);
    Release(Widget, Pos, Button);
}

void Drag(QWidget* Widget, QPoint From, QPoint To)
{
    Press(Widget, From);
    for (int step = 1; step <= 4; ++step)
        Move(Widget, From + (To - From) * step / 4);
    Release(Widget, To);
}

QImage Grab(QWidget* Widget)
{
    return Widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QRgb Rgb(tools::TColor Color)
{
    return tools::ToQColor(Color).rgb();
}

bool WaitForScrollBar(ToxScrollPane* Pane)
{
    return QTest::qWaitFor([Pane] { return Pane->verticalScrollBar()->isVisible(); });
}

}  // namespace tavo::split::test
