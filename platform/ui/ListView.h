// List views in report form: columns with captions and widths, rows of texts, selection.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/ui/UiTypes.h"
#include "platform/ui/Controls.h"

namespace platform {

inline constexpr std::string_view kListViewClass = "SysListView32";

constexpr uint32_t LVS_REPORT = 0x0001;
constexpr uint32_t LVS_SINGLESEL = 0x0004;
constexpr uint32_t LVS_SHOWSELALWAYS = 0x0008;
constexpr uint32_t LVS_NOSORTHEADER = 0x8000;

constexpr uint32_t LVIS_FOCUSED = 0x0001;
constexpr uint32_t LVIS_SELECTED = 0x0002;
constexpr uint32_t LVNI_ALL = 0x0000;
constexpr uint32_t LVNI_SELECTED = 0x0002;

struct TLvColumn {
  std::string Text;
  int32_t Width = 80;  // pixels
};

// An item or one of its sub-items (SubItem > 0 is column SubItem).
struct TLvItem {
  int32_t Item = 0;
  int32_t SubItem = 0;
  std::string Text;
  uint32_t State = 0;
  uint32_t StateMask = 0;
  intptr_t Param = 0;
};

constexpr uint32_t LVM_GETITEMCOUNT = 0x1004;
constexpr uint32_t LVM_DELETEITEM = 0x1008;
constexpr uint32_t LVM_DELETEALLITEMS = 0x1009;
constexpr uint32_t LVM_GETNEXTITEM = 0x100C;   // wParam start (-1: from the top), lParam LVNI_*
constexpr uint32_t LVM_ENSUREVISIBLE = 0x1013;
constexpr uint32_t LVM_GETCOLUMNWIDTH = 0x101D;
constexpr uint32_t LVM_SETCOLUMNWIDTH = 0x101E;
constexpr uint32_t LVM_SETITEMSTATE = 0x102B;  // wParam item (-1: all), lParam const TLvItem*
constexpr uint32_t LVM_GETITEMSTATE = 0x102C;  // wParam item, lParam mask
constexpr uint32_t LVM_GETSELECTEDCOUNT = 0x1032;
constexpr uint32_t LVM_GETITEM = 0x104B;        // lParam TLvItem* (Item, SubItem in; rest out)
constexpr uint32_t LVM_SETITEM = 0x104C;        // lParam const TLvItem*: text of a (sub-)item
constexpr uint32_t LVM_INSERTITEM = 0x104D;     // lParam const TLvItem*; returns the index
constexpr uint32_t LVM_INSERTCOLUMN = 0x1061;   // wParam index, lParam const TLvColumn*
constexpr uint32_t LVM_GETCOLUMN = 0x105F;      // wParam index, lParam TLvColumn*
constexpr uint32_t LVM_GETCOLUMNCOUNT = 0x10F0; // ours: the number of columns

// WM_NOTIFY of a list view: TNmListView; LVN_ITEMCHANGED after a state changed.
constexpr int32_t LVN_ITEMCHANGED = -101;
constexpr int32_t LVN_ITEMACTIVATE = -114;

struct TNmListView {
  TNmHdr Header;
  int32_t Item = -1;
  int32_t SubItem = 0;
  uint32_t NewState = 0;
  uint32_t OldState = 0;
  uint32_t Changed = 0;
};

}  // namespace platform
