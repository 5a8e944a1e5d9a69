// Recent and frequent files: the menu texts with shortened paths and the list dialog.
#include <algorithm>
#include <string>

#include "editor/settings/FileListDialogs.h"
#include "editor/settings/SettingsIds.h"
#include "platform/ui/Controls.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/Window.h"
#include "resources/zkedit32/Strings.h"

using namespace platform;

namespace {

constexpr size_t kMenuEntries = 4;

constexpr uint32_t kButton = WS_VISIBLE | WS_TABSTOP;
constexpr TDialogItem kItems[] = {
    {kListBoxClass, "", WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_VSCROLL | WS_GROUP | LBS_NOTIFY, {6, 6, 220, 130}, idFileList},
    {kButtonClass, "&Datei öffnen", kButton | WS_GROUP | BS_DEFPUSHBUTTON, {226, 6, 300, 20}, idFileOpen},
    {kButtonClass, "Aktuelle Datei hinzu&fügen", kButton, {226, 24, 300, 38}, idFileAddCurrent},
    {kButtonClass, "Eintrag &löschen", kButton, {226, 42, 300, 56}, idFileDelete},
    {kButtonClass, "Schließen", kButton, {226, 116, 300, 130}, IDCANCEL},
    {kButtonClass, "Springen an letzte Bearbeitungsp&osition", WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX, {6, 136, 300, 146}, idFileGotoPos},
};
const TDialogTemplate kTemplate{"", {306, 152}, kItems, DS_MODALFRAME};

// Kept while the program runs.
bool gGotoPosition = true;

struct TListDialog {
  TFileListsHost* Host;
  bool Frequent;
  TFileList& List() const { return Frequent ? Host->Lists->Frequent : Host->Lists->Recent; }
  // The recent list's first entries are in the menu; the dialog starts behind them.
  size_t First() const { return Frequent ? 0 : kMenuEntries; }
};

TListDialog* DialogOf(TWindow dialog) { return reinterpret_cast<TListDialog*>(GetWindowExtra(dialog, 0)); }

int32_t ListWidth(TWindow dialog) {
  TRect r = GetClientRect(GetDlgItem(dialog, idFileList));
  return std::max(40, r.Width() - 8);
}

void Fill(TWindow dialog, const TListDialog& d, int32_t select) {
  SendDlgItemMessage(dialog, idFileList, LB_RESETCONTENT, 0, 0);
  const TFileList& list = d.List();
  int32_t width = ListWidth(dialog);
  for (size_t i = d.First(); i < list.Size(); ++i) {
    std::string text = ShortenPath(list[i].Name, width, MenuTextWidth);
    SendDlgItemMessage(dialog, idFileList, LB_ADDSTRING, 0, reinterpret_cast<intptr_t>(text.c_str()));
  }
  auto count = static_cast<int32_t>(SendDlgItemMessage(dialog, idFileList, LB_GETCOUNT, 0, 0));
  if (select >= count) select = count - 1;
  if (select < 0 && count > 0) select = 0;
  SendDlgItemMessage(dialog, idFileList, LB_SETCURSEL, static_cast<uintptr_t>(select), 0);
  bool any = count > 0;
  EnableWindow(GetDlgItem(dialog, idFileGotoPos), any);
  EnableWindow(GetDlgItem(dialog, idFileDelete), any);
  EnableWindow(GetDlgItem(dialog, idFileOpen), any);
}

// Index into the list of the selected line, or -1.
int32_t SelectedEntry(TWindow dialog, const TListDialog& d) {
  auto sel = static_cast<int32_t>(SendDlgItemMessage(dialog, idFileList, LB_GETCURSEL, 0, 0));
  if (sel < 0) return -1;
  size_t index = d.First() + static_cast<size_t>(sel);
  return index < d.List().Size() ? static_cast<int32_t>(index) : -1;
}

void Delete(TWindow dialog, TListDialog& d) {
  int32_t index = SelectedEntry(dialog, d);
  if (index < 0) return;
  auto sel = static_cast<int32_t>(SendDlgItemMessage(dialog, idFileList, LB_GETCURSEL, 0, 0));
  d.List().Delete(static_cast<size_t>(index));
  Fill(dialog, d, sel);
  if (!d.Frequent && d.Host->RecentChanged) d.Host->RecentChanged();
}

void Open(TWindow dialog, TListDialog& d) {
  int32_t index = SelectedEntry(dialog, d);
  if (index < 0) return;
  TFileListEntry entry = d.List()[static_cast<size_t>(index)];
  gGotoPosition = IsDlgButtonChecked(dialog, idFileGotoPos) == BST_CHECKED;
  EndDialog(dialog, IDOK);
  if (d.Host->OpenFileAt) {
    if (!gGotoPosition) entry.Position = TFilePosition{1, 1, entry.Position.Hex};
    d.Host->OpenFileAt(entry, gGotoPosition);
  }
}

void AddCurrent(TWindow dialog, TListDialog& d) {
  TFileListEntry current;
  if (!d.Host->QueryActiveFile || !d.Host->QueryActiveFile(current) || current.Name.empty()) {
    MessageBeep(0);
    return;
  }
  TFileList& list = d.List();
  auto sel = static_cast<int32_t>(SendDlgItemMessage(dialog, idFileList, LB_GETCURSEL, 0, 0));
  size_t at = sel < 0 ? 0 : static_cast<size_t>(sel);
  int32_t existing = list.IndexOf(current.Name);
  if (existing >= 0) {
    list.Delete(static_cast<size_t>(existing));
    if (static_cast<size_t>(existing) < at) --at;
  }
  at = std::min(at, list.Size());
  (void)list.Insert(at, current.Name, current.Position);
  Fill(dialog, d, static_cast<int32_t>(at));
}

intptr_t ListProc(TWindow dialog, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      SetWindowExtra(dialog, 0, lParam);
      auto* d = reinterpret_cast<TListDialog*>(lParam);
      SetWindowText(dialog, std::string(LoadResString(d->Frequent ? 61 : 60)));
      ShowWindow(GetDlgItem(dialog, idFileAddCurrent), d->Frequent);
      CheckDlgButton(dialog, idFileGotoPos, gGotoPosition ? BST_CHECKED : BST_UNCHECKED);
      Fill(dialog, *d, 0);
      return 1;
    }
    case WM_COMMAND: {
      TListDialog* d = DialogOf(dialog);
      if (!d) return 0;
      uint32_t code = static_cast<uint32_t>((wParam >> 16) & 0xFFFF);
      switch (static_cast<int32_t>(wParam & 0xFFFF)) {
        case idFileList:
          if (code == LBN_DBLCLK) Open(dialog, *d);
          return 1;
        case idFileOpen:
        case IDOK:
          Open(dialog, *d);
          return 1;
        case idFileDelete: Delete(dialog, *d); return 1;
        case idFileAddCurrent: AddCurrent(dialog, *d); return 1;
        case idFileGotoPos:
          gGotoPosition = IsDlgButtonChecked(dialog, idFileGotoPos) == BST_CHECKED;
          return 1;
        case IDCANCEL:
          EndDialog(dialog, IDCANCEL);
          return 1;
        default:
          return 0;
      }
    }
    default:
      return 0;
  }
}

}  // namespace

std::string ShortenPath(std::string_view path, int32_t maxWidth,
                        const std::function<int32_t(std::string_view)>& width) {
  std::string full(path);
  if (width(full) <= maxWidth) return full;
  size_t last = full.rfind('/');
  if (last == std::string::npos || last == 0) return full;
  // The head is the first directory ("/home" of "/home/u/a/b.txt").
  size_t headEnd = full.find('/', full[0] == '/' ? 1 : 0);
  if (headEnd == std::string::npos || headEnd >= last) return full;
  std::string head = full.substr(0, headEnd);
  // Leave out directories from the left of the tail until it fits.
  size_t cut = headEnd + 1;
  while (true) {
    size_t next = full.find('/', cut);
    if (next == std::string::npos || next > last) break;
    std::string candidate = head + "/..." + full.substr(next);
    if (width(candidate) <= maxWidth) return candidate;
    cut = next + 1;
  }
  return head + "/..." + full.substr(last);
}

int32_t MenuTextWidth(std::string_view text) {
  const TFontInfo* info = GetFontInfo(GetStockFont());
  if (!info) return static_cast<int32_t>(text.size()) * 8;
  int32_t w = 0;
  for (unsigned char c : text) w += info->Widths[c];
  return w;
}

std::string RecentMenuText(size_t index, std::string_view path) {
  int32_t maxWidth = GetSystemMetrics(SM_CXSCREEN) / 3 + 100;
  std::string shown = ShortenPath(path, maxWidth, MenuTextWidth);
  std::string text = "&" + std::to_string(index + 1) + " ";
  for (char c : shown) {
    text += c;
    if (c == '&') text += '&';
  }
  return text;
}

intptr_t RunFileListDialog(TFileListsHost& host, bool frequent) {
  if (!host.Lists) return -1;
  TListDialog d{&host, frequent};
  return DialogBox(host.Owner, kTemplate, ListProc, reinterpret_cast<intptr_t>(&d));
}
