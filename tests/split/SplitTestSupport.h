#pragma once
// Splits for the widget tests, and real mouse input through the window system interface.
#include <QImage>
#include <QPoint>
#include <memory>

#include "split/OxSplit.h"

namespace tavo::split::test {

// A shown split of Width by Height with Panes panes named "Pane0", "Pane1", ...
std::unique_ptr<ToxSplit> ShownSplit(int Width, int Height, int Panes, ToxsStyle Style = oxsInset,
                                     ToxsOptions Options = {oxsHideInvisible});
ToxScrollPane* Pane(const ToxCustomSplit& Split, int Index);

// At points in Widget's coordinates; the window routes them as it would a user's.
void Press(QWidget* Widget, QPoint Pos, Qt::MouseButton Button = Qt::LeftButton);
void Move(QWidget* Widget, QPoint Pos);
void Release(QWidget* Widget, QPoint Pos, Qt::MouseButton Button = Qt::LeftButton);
void Click(QWidget* Widget, QPoint Pos, Qt::MouseButton Button = Qt::LeftButton);
// Press at From, move in a few steps to To, release there.
void Drag(QWidget* Widget, QPoint From, QPoint To);

QImage Grab(QWidget* Widget);
// A library colour as a grabbed image holds it.
QRgb Rgb(tools::TColor Color);

// Waits until the pane has laid out its content and shows its vertical scroll bar.
bool WaitForScrollBar(ToxScrollPane* Pane);

}  // namespace tavo::split::test
