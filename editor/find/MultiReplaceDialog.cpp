// Procedure of the multiple-replace dialog.
#include "editor/find/MultiReplaceDialog.h"

#include "editor/find/FindDialog.h"
#include "editor/find/FindDialogs.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/ListView.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Window.h"

using namespace platform;

namespace {

bool Checked(TWindow dialog, int32_t id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
void Check(TWindow dialog, int32_t id, bool on) {
  CheckDlgButton(dialog, id, on ? BST_CHECKED : BST_UNCHECKED);
}

int32_t SelectedGroup(TWindow dialog, const TMulRepList& list) {
  const auto index = static_cast<int32_t>(SendDlgItemMessage(dialog, idcGroups, LB_GETCURSEL, 0, 0));
  return index >= 0 && static_cast<size_t>(index) < list.Groups.size() ? index : -1;
}

// The pairs of the selected group and its three options.
void ShowGroup(TWindow dialog, const TMulRepList& list) {
  SendDlgItemMessage(dialog, idcPairs, LVM_DELETEALLITEMS, 0, 0);
  const int32_t index = SelectedGroup(dialog, list);
  EnableWindow(GetDlgItem(dialog, IDOK), index >= 0);
  if (index < 0) return;
  const TMulRepItems& group = list.Groups[static_cast<size_t>(index)];
  int32_t row = 0;
  for (const TMulRepPair& pair : group.Pairs) {
    TLvItem item;
    item.Item = row;
    item.Text = WinToUtf8(pair.Search);
    SendDlgItemMessage(dialog, idcPairs, LVM_INSERTITEM, 0, reinterpret_cast<intptr_t>(&item));
    item.SubItem = 1;
    item.Text = WinToUtf8(pair.Replace);
    SendDlgItemMessage(dialog, idcPairs, LVM_SETITEM, 0, reinterpret_cast<intptr_t>(&item));
    ++row;
  }
  Check(dialog, idcCase, group.CaseSensitive);
  Check(dialog, idcWholeWords, group.WholeWords);
  Check(dialog, idcRegExp, group.RegularExpression);
}

void FillGroups(TWindow dialog, const TMulRepList& list, const std::string& select) {
  SendDlgItemMessage(dialog, idcGroups, LB_RESETCONTENT, 0, 0);
  int32_t chosen = list.Groups.empty() ? -1 : 0;
  for (size_t i = 0; i < list.Groups.size(); ++i) {
    const std::string name = WinToUtf8(list.Groups[i].Name);
    SendDlgItemMessage(dialog, idcGroups, LB_ADDSTRING, 0, reinterpret_cast<intptr_t>(name.c_str()));
    if (list.Groups[i].Name == select) chosen = static_cast<int32_t>(i);
  }
  SendDlgItemMessage(dialog, idcGroups, LB_SETCURSEL, static_cast<uintptr_t>(chosen), 0);
  ShowGroup(dialog, list);
}

intptr_t MultiProc(TWindow dialog, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      SetWindowExtra(dialog, 0, lParam);
      auto& args = *reinterpret_cast<TMultiReplaceArgs*>(lParam);
      const TRect pairs = GetClientRect(GetDlgItem(dialog, idcPairs));
      const int32_t half = std::max((pairs.Right - pairs.Left) / 2 - 2, 40);
      TLvColumn search{"Suchen nach", half};
      TLvColumn replace{"Ersetzen durch", half};
      SendDlgItemMessage(dialog, idcPairs, LVM_INSERTCOLUMN, 0, reinterpret_cast<intptr_t>(&search));
      SendDlgItemMessage(dialog, idcPairs, LVM_INSERTCOLUMN, 1, reinterpret_cast<intptr_t>(&replace));
      FillGroups(dialog, *args.Groups, args.Group);
      Check(dialog, idcFromCursor, args.FromCursor);
      Check(dialog, idcSelectionOnly, args.SelectionOnly);
      Check(dialog, idcConfirm, args.Confirm);
      EnableWindow(GetDlgItem(dialog, idcSetUp), static_cast<bool>(args.SetUp));
      return 1;
    }
    case WM_COMMAND: {
      auto* args = reinterpret_cast<TMultiReplaceArgs*>(GetWindowExtra(dialog, 0));
      const auto id = static_cast<int32_t>(LoWord(wParam));
      const uint32_t code = HiWord(wParam);
      if (id == idcGroups) {
        if (code == LBN_SELCHANGE) ShowGroup(dialog, *args->Groups);
        if (code == LBN_DBLCLK && SelectedGroup(dialog, *args->Groups) >= 0)
          SendMessage(dialog, WM_COMMAND, MakeWParam(IDOK, BN_CLICKED), 0);
        return 1;
      }
      if (code != BN_CLICKED) return 0;
      if (id == idcSetUp && args->SetUp) {
        const int32_t index = SelectedGroup(dialog, *args->Groups);
        const std::string current =
            index >= 0 ? args->Groups->Groups[static_cast<size_t>(index)].Name : args->Group;
        args->SetUp(dialog);
        FillGroups(dialog, *args->Groups, current);
        return 1;
      }
      if (id == IDOK) {
        const int32_t index = SelectedGroup(dialog, *args->Groups);
        if (index < 0) {
          MessageBeep(0);
          return 1;
        }
        args->Group = args->Groups->Groups[static_cast<size_t>(index)].Name;
        args->CaseSensitive = Checked(dialog, idcCase);
        args->WholeWords = Checked(dialog, idcWholeWords);
        args->RegularExpression = Checked(dialog, idcRegExp);
        args->FromCursor = Checked(dialog, idcFromCursor);
        args->SelectionOnly = Checked(dialog, idcSelectionOnly);
        args->Confirm = Checked(dialog, idcConfirm);
        EndDialog(dialog, IDOK);
        return 1;
      }
      if (id == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return 1;
      }
      return 0;
    }
    default:
      return 0;
  }
}

}  // namespace

bool RunMultiReplaceDialog(TWindow owner, TMultiReplaceArgs& args) {
  if (!args.Groups) return false;
  return DialogBox(owner, kMultiReplaceDialog, MultiProc, reinterpret_cast<intptr_t>(&args)) == IDOK;
}
