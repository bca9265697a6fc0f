#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "view/commands.h"

// The program's commands and where they appear, as data: the main frame builds its menus,
// toolbars and context menu from these tables. Texts are UTF-8.

// Who carries a command out.
enum class CommandOwner { View, Frame, Application };

struct CommandInfo {
    CommandId id;
    std::string_view caption;
    char mnemonic;                       // '\0': none
    std::string_view keyText;            // as the menu shows it: "Ctrl+N", "←", "F1"
    std::vector<std::string_view> keys;  // the keys bound to it, in portable text ("Left", "Shift+Del")
    std::string_view prompt;             // for the status bar; empty: none
    CommandOwner owner;
};

// Every command, in the order of CommandId.
const std::vector<CommandInfo>& Commands();
const CommandInfo& Command(CommandId id);

struct MenuEntry {
    enum class Kind { Command, Separator, SubMenu, RecentFiles };
    Kind kind = Kind::Separator;
    CommandId command = CommandId::FileNew;  // Kind::Command only
    std::string caption;
    char mnemonic = '\0';
    bool ellipsis = false;  // "...": the command asks for more before it acts
    std::string keyText;    // shown after the caption; the context menu shows none
    std::vector<MenuEntry> children;  // Kind::SubMenu only
};

// The menu bar, left to right: sub-menus, and "入力" as a command of its own.
const std::vector<MenuEntry>& MainMenu();
// The popup of the edit view ("SubMenu").
const std::vector<MenuEntry>& ContextMenu();

// Toolbar positions, left to right; no command marks a separator.
using ToolbarPosition = std::optional<CommandId>;
const std::vector<ToolbarPosition>& FirstToolbar();
const std::vector<ToolbarPosition>& SecondToolbar();

// The caption as a menu shows it: mnemonic as "(&F)", "..." where it asks for more, and the key
// text after a tab.
std::string MenuText(const MenuEntry& entry);
// A toolbar button's tip: the command's caption, led by the sub-menus it sits in below the menu
// bar ("水平 ▸ 中央揃え"), so that the two centring buttons differ.
std::string ToolTipText(CommandId id);
