#include "BrowserTestSupport.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include "QtTestHelpers.h"

namespace tavo::test {

ShellOnInternet::ShellOnInternet()
{
    Main()->activateWindow();
    WaitFor([this] { return Main()->isActiveWindow(); }, 2000);
    SelectTab(1);
}

void ShellOnInternet::EnterAddress(const QString& Text)
{
    auto* combo = Find<QComboBox>("dxAddressCombo");
    combo->setFocus();
    combo->lineEdit()->selectAll();
    QTest::keyClicks(combo->lineEdit(), Text);
    QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
}

QStringList ShellOnInternet::MenuEntries(const char* Menu) const
{
    QStringList texts;
    for (QAction* entry : Find<QMenu>(Menu)->actions())
        texts << entry->text();
    return texts;
}

void ShellOnInternet::ChooseFromMenu(const char* Menu, const QString& Text)
{
    auto* menu = Find<QMenu>(Menu);
    for (QAction* entry : menu->actions()) {
        if (entry->text() == Text) {
            menu->popup(QPoint(0, 0));
            WaitFor([menu] { return menu->isVisible(); }, 2000);
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(entry).center());
            return;
        }
    }
    ADD_FAILURE() << "no entry " << Text.toStdString() << " in " << Menu;
}

void ShellOnInternet::ChooseFromList(int Index)
{
    auto* combo = Find<QComboBox>("dxAddressCombo");
    combo->showPopup();
    QAbstractItemView* list = combo->view();
    list->setCurrentIndex(combo->model()->index(Index, 0));
    QTest::keyClick(list, Qt::Key_Return);
}

void ShellOnInternet::Press(int Key, Qt::KeyboardModifiers Modifiers)
{
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : Main();
    QTest::keyClick(target, static_cast<Qt::Key>(Key), Modifiers);
}

void ShellOnInternet::Click(const char* Button)
{
    auto* b = Find<QToolButton>(Button);
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(8, b->height() / 2));
}

}  // namespace tavo::test
