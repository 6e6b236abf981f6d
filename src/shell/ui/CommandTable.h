// The main window's command table: every menu item and tool button with its command number,
// name, built-in texts and short-cut, the menus in order, and the commands of the tree's nodes.
// The language file replaces the texts by the names.
#pragma once

#include <QString>
#include <span>
#include <vector>

namespace zorva {

struct MenuItemText {
    int tag;
    const char* name;
    const char* caption;
    const char* hint;
    const char* shortcut;
};

struct ToolButtonText {
    int tag; // 0 for a divider
    const char* name;
    const char* hint;
};

struct MenuText {
    const char* name;
    const char* caption;
    std::vector<int> items; // 0 a separator, -1 a separator never shown
};

std::span<const MenuItemText> MenuItems();
std::span<const ToolButtonText> ToolButtons();
std::span<const MenuText> Menus();
// The tree's children, in order; their texts are the hints of their menu items.
std::span<const int> TreeCommands();
// The root node opens the radio information, like the first child.
inline constexpr int kTreeRootCommand = 16;

// A menu item's caption as a step name: without its mnemonic, "&Read" or "读取(&R)".
QString PlainCaption(QString caption);

} // namespace zorva
