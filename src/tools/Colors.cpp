#include "Colors.h"

#include <QGuiApplication>
#include <QPalette>

namespace tavo::tools {

namespace {

uint32_t FromQ(const QColor& Color)
{
    return static_cast<uint32_t>(Color.red()) | (static_cast<uint32_t>(Color.green()) << 8) |
           (static_cast<uint32_t>(Color.blue()) << 16);
}

struct TSystemRole {
    QPalette::ColorGroup Group;
    QPalette::ColorRole Role;
    uint32_t Classic;  // the colour without a GUI application
};

constexpr TSystemRole SystemRoles[] = {
    {QPalette::Active, QPalette::Button, 0xC8C8C8},           // scroll bar
    {QPalette::Active, QPalette::Window, 0x808000},           // desktop
    {QPalette::Active, QPalette::Highlight, 0x800000},        // active caption
    {QPalette::Inactive, QPalette::Highlight, 0x808080},      // inactive caption
    {QPalette::Active, QPalette::Window, 0xC0C0C0},           // menu
    {QPalette::Active, QPalette::Base, 0xFFFFFF},             // window
    {QPalette::Active, QPalette::Shadow, 0x000000},           // window frame
    {QPalette::Active, QPalette::WindowText, 0x000000},       // menu text
    {QPalette::Active, QPalette::Text, 0x000000},             // window text
    {QPalette::Active, QPalette::HighlightedText, 0xFFFFFF},  // caption text
    {QPalette::Active, QPalette::Button, 0xC0C0C0},           // active border
    {QPalette::Active, QPalette::Button, 0xC0C0C0},           // inactive border
    {QPalette::Active, QPalette::Dark, 0x808080},             // application work space
    {QPalette::Active, QPalette::Highlight, 0x800000},        // highlight
    {QPalette::Active, QPalette::HighlightedText, 0xFFFFFF},  // highlight text
    {QPalette::Active, QPalette::Button, 0xC0C0C0},           // button face
    {QPalette::Active, QPalette::Dark, 0x808080},             // button shadow
    {QPalette::Disabled, QPalette::Text, 0x808080},           // grey text
    {QPalette::Active, QPalette::ButtonText, 0x000000},       // button text
    {QPalette::Disabled, QPalette::WindowText, 0xC0C0C0},     // inactive caption text
    {QPalette::Active, QPalette::Light, 0xFFFFFF},            // button highlight
    {QPalette::Active, QPalette::Shadow, 0x000000},           // 3-D dark shadow
    {QPalette::Active, QPalette::Midlight, 0xDFDFDF},         // 3-D light
    {QPalette::Active, QPalette::ToolTipText, 0x000000},      // info text
    {QPalette::Active, QPalette::ToolTipBase, 0xE1FFFF},      // info background
};

}  // namespace

uint32_t ColorToRGB(TColor Color)
{
    auto raw = static_cast<uint32_t>(Color);
    if (Color < 0) {
        uint32_t index = raw & 0xFF;
        if (index >= std::size(SystemRoles))
            return 0;
        const TSystemRole& role = SystemRoles[index];
        if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
            return role.Classic;
        return FromQ(QGuiApplication::palette().color(role.Group, role.Role));
    }
    return raw & 0x00FFFFFFu;
}

QColor ToQColor(TColor Color)
{
    uint32_t rgb = ColorToRGB(Color);
    return QColor(static_cast<int>(rgb & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                  static_cast<int>((rgb >> 16) & 0xFF));
}

TColor FromQColor(const QColor& Color)
{
    return static_cast<TColor>(FromQ(Color));
}

}  // namespace tavo::tools
