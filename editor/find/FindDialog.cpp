// Procedure of the find and replace dialogs.
#include "editor/find/FindDialog.h"

#include <cstring>

#include "editor/find/FindDialogs.h"
#include "editor/search/SearchEscapes.h"
#include "platform/ui/CodePages.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Window.h"

using namespace platform;

namespace {

bool Checked(TWindow dialog, int32_t id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
void Check(TWindow dialog, int32_t id, bool on) {
  CheckDlgButton(dialog, id, on ? BST_CHECKED : BST_UNCHECKED);
}
void Enable(TWindow dialog, int32_t id, bool on) { EnableWindow(GetDlgItem(dialog, id), on); }

// A regular expression runs forward only; hexadecimal bytes are matched exactly.
void ApplyRules(TWindow dialog, bool hexWindow) {
  const bool hex = hexWindow && Checked(dialog, idcHexInput);
  const bool regExp = Checked(dialog, idcRegExp) && !hex;
  if (regExp) Check(dialog, idcBackward, false);
  Enable(dialog, idcBackward, !regExp);
  Enable(dialog, idcCase, !hex);
  Enable(dialog, idcWholeWords, !hex);
  Enable(dialog, idcRegExp, !hex);
}

void UpdateOk(TWindow dialog) {
  Enable(dialog, IDOK, !GetDlgItemText(dialog, idcSearchText).empty());
}

void FillCombo(TWindow dialog, int32_t id, const TStringHistory* history) {
  SendDlgItemMessage(dialog, id, CB_LIMITTEXT, kSearchTextMax, 0);
  if (!history) return;
  for (const std::string& entry : history->Items()) {
    const std::string shown = WinToUtf8(entry);
    SendDlgItemMessage(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<intptr_t>(shown.c_str()));
  }
}

// Refuses a text that is not hexadecimal input: beep, focus and the text selected.
bool HexTextValid(TWindow dialog, int32_t id, const std::string& text, bool mayBeEmpty,
                  uint8_t* bytes, int32_t* count) {
  int32_t n = text.empty() && mayBeEmpty ? 0 : ParseHexInput(text, bytes, kSearchTextMax);
  if (n >= 0) {
    if (count) *count = n;
    return true;
  }
  MessageBeep(0);
  SetFocus(GetDlgItem(dialog, id));
  SendDlgItemMessage(dialog, id, CB_SETEDITSEL, 0, MakeLParam(0, -1));
  return false;
}

void CopyText(char (&to)[kSearchTextMax + 1], const std::string& text) {
  std::memset(to, 0, sizeof to);
  std::memcpy(to, text.data(), std::min(text.size(), static_cast<size_t>(kSearchTextMax)));
}

void Accept(TWindow dialog, TFindDialogArgs& args) {
  TSearchRequest& r = *args.Request;
  const bool hex = args.HexWindow && Checked(dialog, idcHexInput);
  std::string search = Utf8ToWin(GetDlgItemText(dialog, idcSearchText));
  std::string replace = args.Replace ? Utf8ToWin(GetDlgItemText(dialog, idcReplaceText)) : "";
  search.resize(std::min(search.size(), static_cast<size_t>(kSearchTextMax)));
  replace.resize(std::min(replace.size(), static_cast<size_t>(kSearchTextMax)));
  uint8_t scratch[kSearchTextMax];
  int32_t replaceCount = 0;
  if (hex) {
    if (!HexTextValid(dialog, idcSearchText, search, false, scratch, nullptr)) return;
    if (args.Replace &&
        !HexTextValid(dialog, idcReplaceText, replace, true, r.HexReplace, &replaceCount)) {
      return;
    }
  }
  CopyText(r.SearchText, search);
  CopyText(r.ReplaceText, replace);
  r.HexReplaceLength = replaceCount;
  r.HexInput = hex;
  r.CaseSensitive = Checked(dialog, idcCase);
  r.WholeWords = Checked(dialog, idcWholeWords);
  r.RegularExpression = Checked(dialog, idcRegExp) && !hex;
  r.FromCursor = Checked(dialog, idcFromCursor);
  r.SelectionOnly = Checked(dialog, idcSelectionOnly);
  r.Backward = Checked(dialog, idcBackward) && !r.RegularExpression;
  if (args.Replace) {
    r.Confirm = Checked(dialog, idcConfirm);
    r.AllDocuments = Checked(dialog, idcAllDocuments);
  }
  if (args.Replace && args.ReplaceTexts) args.ReplaceTexts->Add(replace);
  if (!search.empty() && args.SearchTexts) args.SearchTexts->Add(search);
  EndDialog(dialog, IDOK);
}

intptr_t FindProc(TWindow dialog, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      SetWindowExtra(dialog, 0, lParam);
      auto& args = *reinterpret_cast<TFindDialogArgs*>(lParam);
      const TSearchRequest& r = *args.Request;
      FillCombo(dialog, idcSearchText, args.SearchTexts);
      if (!args.InitialText.empty()) {
        SetDlgItemText(dialog, idcSearchText, WinToUtf8(args.InitialText));
      } else if (args.SearchTexts && !args.SearchTexts->Empty()) {
        SendDlgItemMessage(dialog, idcSearchText, CB_SETCURSEL, 0, 0);
      }
      if (args.Replace) {
        FillCombo(dialog, idcReplaceText, args.ReplaceTexts);
        if (args.ReplaceTexts && !args.ReplaceTexts->Empty())
          SendDlgItemMessage(dialog, idcReplaceText, CB_SETCURSEL, 0, 0);
        Check(dialog, idcConfirm, r.Confirm);
        Check(dialog, idcAllDocuments, false);
        // All documents are for text windows only.
        Enable(dialog, idcAllDocuments, !args.HexWindow);
      }
      Check(dialog, idcCase, r.CaseSensitive);
      Check(dialog, idcWholeWords, r.WholeWords);
      Check(dialog, idcRegExp, r.RegularExpression);
      Check(dialog, idcFromCursor, r.FromCursor);
      Check(dialog, idcSelectionOnly, r.SelectionOnly);
      Check(dialog, idcBackward, r.Backward);
      Check(dialog, idcHexInput, args.HexWindow && r.HexInput);
      ShowWindow(GetDlgItem(dialog, idcHexInput), args.HexWindow);
      ApplyRules(dialog, args.HexWindow);
      UpdateOk(dialog);
      return 1;
    }
    case WM_COMMAND: {
      auto* args = reinterpret_cast<TFindDialogArgs*>(GetWindowExtra(dialog, 0));
      const auto id = static_cast<int32_t>(LoWord(wParam));
      const uint32_t code = HiWord(wParam);
      if (id == idcSearchText) {
        if (code == CBN_EDITCHANGE || code == CBN_SELCHANGE) UpdateOk(dialog);
        return 1;
      }
      if (code != BN_CLICKED) return 0;
      if (id == idcRegExp || id == idcHexInput) {
        ApplyRules(dialog, args->HexWindow);
        return 1;
      }
      if (id == IDOK) {
        if (!GetDlgItemText(dialog, idcSearchText).empty()) Accept(dialog, *args);
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

bool RunFindDialog(TWindow owner, TFindDialogArgs& args) {
  if (!args.Request) return false;
  const TDialogTemplate& tmpl = args.Replace ? kReplaceDialog : kFindDialog;
  return DialogBox(owner, tmpl, FindProc, reinterpret_cast<intptr_t>(&args)) == IDOK;
}

std::string Utf8ToWin(std::string_view text) {
  std::string out;
  size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<uint8_t>(text[i]);
    const size_t extra = lead < 0x80 ? 0 : lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    char32_t ch = extra == 0 ? lead : lead & (0x3F >> extra);
    size_t k = 1;
    for (; k <= extra && i + k < text.size(); ++k) {
      const auto next = static_cast<uint8_t>(text[i + k]);
      if ((next & 0xC0) != 0x80) break;
      ch = (ch << 6) | (next & 0x3F);
    }
    // A broken sequence stands for one unknown character.
    const bool whole = k == extra + 1 && (lead < 0x80 || lead >= 0xC0);
    const int32_t byte = whole ? UnicodeToCp1252(ch) : -1;
    out += static_cast<char>(byte < 0 ? '?' : byte);
    i += k;
  }
  return out;
}

std::string WinToUtf8(std::string_view text) { return CodePageToUtf8(text, false); }
