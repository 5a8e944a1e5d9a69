// The editor's commands as data: id (or id range), status-bar hint, tool tip, the rule of
// `CommandAvailable`, and whether this build carries out the command. A command whose window
// or dialog is still missing stays in the menus, greyed.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

enum class TAvail : uint8_t {
  Always,
  Any,               // some document window is active
  AnyButCompare,
  SaveRule,          // (text or hex) and writable
  Mail,              // text and mail available
  CanUndo, CanRedo, CanCut, CanCopy, CanPaste, CanDelete,
  SelectAll,         // hex; text or results while column-block mode is off
  ColumnBlock,       // (text or results) and the window supports column blocks
  Results,
  TextWritable,
  SelWritable,       // a text window with a selection, writable
  Hex,
  HexExtended,       // hex and its extended mode on
  TextOrResults,
  TabsToSpaces,      // sel, writable, column blocks supported and column-block mode off
  AnySelection,      // any window with a selection
  FindNext,          // any but compare, and a search text exists
  Replace,           // (text or hex), writable, no replace running
  NoModeless,        // no modeless dialog open
  Compare,
  Text,
  TextWithFile,
  ReadOnlyToggle,    // (text or hex), unmodified, with a file name
  BookmarkSet,       // text or results with bookmark (id - 250) set
};

struct TCommandInfo {
  uint16_t Id;
  uint16_t Last;     // last id of a range (= Id for one command)
  TAvail Rule;
  bool Landed;       // false: present in the menus, greyed until its window or dialog exists
  std::string_view Hint;
  std::string_view ToolTip;  // string command + 500; empty when the command has no button
};

// The entry of a command (ranges included); null for an unknown id.
const TCommandInfo* FindCommand(uint16_t id);
// Every entry, in id order.
std::span<const TCommandInfo> CommandTable();

// The hint the status bar shows over a menu item, after the menu-help mappings (125 without
// mail becomes 126, ranges map to their first id).
std::string_view CommandHint(uint16_t id, bool mailAvailable);
// The tool tip of a tool-bar command (string id command + 500).
std::string_view CommandToolTip(uint16_t id);
