// Property sheets: pages from dialog templates behind tabs (several rows when many), the
// buttons "OK", "Abbrechen", "Ü&bernehmen" and "Hilfe", a start page, and the page
// notifications: PSN_SETACTIVE, PSN_KILLACTIVE (a page may refuse to be left), PSN_APPLY
// (a page may refuse its values) and PSN_RESET.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "platform/ui/Controls.h"
#include "platform/ui/Dialog.h"

namespace platform {

struct TPropSheetPage {
  const TDialogTemplate* Template = nullptr;
  TDialogProc Proc = nullptr;
  intptr_t Param = 0;       // lParam of the page's WM_INITDIALOG
  std::string_view Title;   // the tab; empty: the template's caption
};

constexpr uint32_t PSH_NOAPPLYNOW = 0x0080;
constexpr uint32_t PSH_HASHELP = 0x0200;

struct TPropSheetHeader {
  TWindow Owner = 0;
  std::string_view Caption;
  std::span<const TPropSheetPage> Pages;
  int32_t StartPage = 0;
  uint32_t Flags = 0;
  int32_t* LastPage = nullptr;  // out (may be null): the page shown when the sheet closed
};

// Modal. 1 when closed with OK, 0 when cancelled, -1 when it could not be shown.
intptr_t PropertySheet(const TPropSheetHeader& header);

// WM_NOTIFY codes to the pages; lParam is a TPsHdrNotify.
constexpr int32_t PSN_SETACTIVE = -200;
constexpr int32_t PSN_KILLACTIVE = -201;
constexpr int32_t PSN_APPLY = -202;
constexpr int32_t PSN_RESET = -203;
constexpr int32_t PSN_HELP = -205;
struct TPsHdrNotify {
  TNmHdr Header;
  intptr_t LParam = 0;  // PSN_APPLY: 1 when the sheet closes (OK), 0 for Apply
};
// Answers set with SetDialogResult. PSN_KILLACTIVE: nonzero keeps the page. PSN_APPLY:
// PSNRET_INVALID keeps the sheet open on that page. PSN_SETACTIVE: -1 refuses the page.
constexpr intptr_t PSNRET_NOERROR = 0;
constexpr intptr_t PSNRET_INVALID = 1;
constexpr intptr_t PSNRET_INVALID_NOCHANGEPAGE = 2;

// Messages a page sends to its sheet (GetParent(page)).
constexpr uint32_t PSM_SETCURSEL = WM_USER + 101;  // wParam page index; false when refused
constexpr uint32_t PSM_CHANGED = WM_USER + 104;    // wParam the page: enables Apply
constexpr uint32_t PSM_PRESSBUTTON = WM_USER + 113;
constexpr uint32_t PSM_UNCHANGED = WM_USER + 109;
constexpr uint32_t PSM_GETCURRENTPAGEHWND = WM_USER + 118;
constexpr uint32_t PSM_GETTABCONTROL = WM_USER + 116;
constexpr uintptr_t PSBTN_APPLYNOW = 4;
constexpr uintptr_t PSBTN_OK = 1;
constexpr uintptr_t PSBTN_CANCEL = 5;
constexpr uintptr_t PSBTN_HELP = 6;

// Ids of the sheet's own controls.
constexpr int32_t kSheetApplyId = 0x3021;
constexpr int32_t kSheetTabId = 0x3020;

}  // namespace platform
