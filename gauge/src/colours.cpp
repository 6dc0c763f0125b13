#include "colours.h"

#include <array>

namespace gaugekit::colours {

namespace {

constexpr uint systemFlag = 0x80000000;

// The palette role standing in for each system colour index.
constexpr std::array<QPalette::ColorRole, 31> systemRoles{
    QPalette::Button,          // 0 scroll bar
    QPalette::Dark,            // 1 desktop
    QPalette::Highlight,       // 2 active caption
    QPalette::Mid,             // 3 inactive caption
    QPalette::Window,          // 4 menu
    QPalette::Base,            // 5 window background
    QPalette::Shadow,          // 6 window frame
    QPalette::WindowText,      // 7 menu text
    QPalette::Text,            // 8 window text
    QPalette::HighlightedText, // 9 caption text
    QPalette::Button,          // 10 active border
    QPalette::Button,          // 11 inactive border
    QPalette::Dark,            // 12 application workspace
    QPalette::Highlight,       // 13 highlight
    QPalette::HighlightedText, // 14 highlighted text
    QPalette::Button,          // 15 button face
    QPalette::Dark,            // 16 button shadow
    QPalette::PlaceholderText, // 17 grey text
    QPalette::ButtonText,      // 18 button text
    QPalette::Midlight,        // 19 inactive caption text
    QPalette::Light,           // 20 3-D highlight
    QPalette::Shadow,          // 21 3-D dark shadow
    QPalette::Midlight,        // 22 3-D light
    QPalette::ToolTipText,     // 23 tool-tip text
    QPalette::ToolTipBase,     // 24 tool-tip background
    QPalette::Window,          // 25 (unused)
    QPalette::Link,            // 26 hot-tracked item
    QPalette::Highlight,       // 27 active caption gradient
    QPalette::Mid,             // 28 inactive caption gradient
    QPalette::Highlight,       // 29 menu highlight
    QPalette::Window,          // 30 menu bar
};

} // namespace

bool isValid(uint colour)
{
    if ((colour & 0xFF000000u) == 0)
        return true;
    return (colour & 0xFF000000u) == systemFlag && (colour & 0x00FFFFFFu) < systemRoles.size();
}

QColor resolve(uint colour, const QPalette &palette)
{
    if ((colour & 0xFF000000u) == 0)
        return QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
    if (!isValid(colour))
        return palette.color(QPalette::Active, QPalette::Text);
    return palette.color(QPalette::Active, systemRoles[colour & 0x00FFFFFFu]);
}

} // namespace gaugekit::colours
