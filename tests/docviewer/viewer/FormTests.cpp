// The viewer's base form and the see-through panel.
#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include "docviewer/TransparentPanel.h"
#include "docviewer/dxBarForm.h"
#include "tools/ControlHelp.h"

using namespace tavo;
using docviewer::ScaleConstraint;
using docviewer::TdxBar_Form;

namespace {

TEST(BarForm, ConstraintsGrowAboveNinetySixDotsPerInchWithHalvesToEven)
{
    EXPECT_EQ(ScaleConstraint(56, 96), 56);
    EXPECT_EQ(ScaleConstraint(56, 72), 56);
    EXPECT_EQ(ScaleConstraint(56, 144), 84);
    EXPECT_EQ(ScaleConstraint(0, 192), 0);
    EXPECT_EQ(ScaleConstraint(1, 144), 2);    // 1.5
    EXPECT_EQ(ScaleConstraint(3, 144), 4);    // 4.5
    EXPECT_EQ(ScaleConstraint(5, 144), 8);    // 7.5
    EXPECT_EQ(ScaleConstraint(10, 120), 12);  // 12.5

    TdxBar_Form form;
    form.SetConstraints({100, 50, 0, 300});
    form.ScaleConstraints(144);
    EXPECT_EQ(form.minimumSize(), QSize(150, 75));
    EXPECT_EQ(form.maximumWidth(), QWIDGETSIZE_MAX);
    EXPECT_EQ(form.maximumHeight(), 450);
    form.ScaleConstraints(96);
    EXPECT_EQ(form.minimumSize(), QSize(100, 50));
}

TEST(BarForm, FillsItsParentOnlyOnceItHasOne)
{
    QWidget tab;
    auto* form = new TdxBar_Form;
    form->resize(200, 100);
    form->show();
    form->resize(210, 100);
    EXPECT_EQ(form->size(), QSize(210, 100));
    tab.resize(640, 480);
    form->AlignClientIn(&tab);
    tab.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&tab));
    QApplication::processEvents();
    EXPECT_EQ(form->geometry(), tab.rect());
    form->hide();
}

TEST(BarForm, HelpRequestsWithoutAHelpContextAreDropped)
{
    TdxBar_Form form;
    auto* edit = new QLabel(&form);
    edit->setFocusPolicy(Qt::StrongFocus);
    QEvent none(QEvent::HelpRequest);
    EXPECT_TRUE(QApplication::sendEvent(&form, &none));
    tools::SetHelpContext(&form, -1);
    QEvent minusOne(QEvent::HelpRequest);
    EXPECT_TRUE(QApplication::sendEvent(&form, &minusOne));
    tools::SetHelpContext(&form, 12);
    QEvent some(QEvent::HelpRequest);
    EXPECT_FALSE(QApplication::sendEvent(&form, &some));
    EXPECT_EQ(TdxBar_Form::AnsweringHelpContext(edit), 12);
}

TEST(TransparentPanel, PaintsNothingAndTakesTheClick)
{
    QWidget parent;
    parent.resize(120, 80);
    auto* below = new QLabel(&parent);
    below->setGeometry(parent.rect());
    below->setAutoFillBackground(true);
    QPalette pal = below->palette();
    pal.setColor(QPalette::Window, Qt::darkGreen);
    below->setPalette(pal);
    auto* panel = new docviewer::TTransparentPanel(&parent);
    panel->setGeometry(10, 10, 60, 40);
    parent.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
    QImage seen = parent.grab().toImage();
    EXPECT_EQ(seen.pixelColor(30, 30), QColor(Qt::darkGreen));

    QSignalSpy clicks(panel, &docviewer::TTransparentPanel::clicked);
    QTest::mouseClick(panel, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(clicks.count(), 1);
    // A press that ends outside is no click.
    QTest::mousePress(panel, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(panel, Qt::LeftButton, {}, QPoint(200, 5));
    EXPECT_EQ(clicks.count(), 1);

    // In a designer it shows as a panel.
    panel->SetDesignMode(true);
    EXPECT_NE(parent.grab().toImage().pixelColor(30, 30), QColor(Qt::darkGreen));
}

}  // namespace
