// The page "Syntax": the colouring definitions of "ZKColors.Ini" per file type, and the
// switch that turns colouring off for every window.
#include <string>

#include "editor/settings/SettingsIds.h"
#include "editor/settings/SettingsPages.h"
#include "platform/ui/Controls.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Edit.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/PropertySheet.h"
#include "platform/ui/Window.h"

using namespace platform;

namespace {

constexpr uint32_t kButton = WS_VISIBLE | WS_TABSTOP;
constexpr uint32_t kLabel = WS_VISIBLE | SS_LEFTNOWORDWRAP;
constexpr uint32_t kField = WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;

constexpr TDialogItem kItems[] = {
    {kButtonClass, "&Dateierweiterungen:", WS_VISIBLE | BS_GROUPBOX, {6, 4, 110, 104}, -1},
    {kListBoxClass, "", WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_VSCROLL | WS_GROUP | LBS_NOTIFY, {12, 16, 104, 68}, idSyntaxList},
    {kEditClass, "", kField, {12, 72, 104, 84}, idSyntaxExt},
    {kButtonClass, "Hin&zufügen", kButton, {12, 87, 56, 101}, idSyntaxAdd},
    {kButtonClass, "&Löschen", kButton, {60, 87, 104, 101}, idSyntaxDelete},
    {kButtonClass, "Kommentare/Zeichenketten:", WS_VISIBLE | BS_GROUPBOX, {116, 4, 254, 84}, -1},
    {kStaticClass, "&Einzeiliger Kommentar:", kLabel, {122, 16, 210, 26}, -1},
    {kEditClass, "", kField | WS_GROUP, {212, 14, 248, 26}, idLineComment},
    {kStaticClass, "Mehrzeiliger", kLabel, {122, 32, 168, 42}, -1},
    {kStaticClass, "Kommentar:", kLabel, {122, 42, 168, 52}, -1},
    {kStaticClass, "An&fang:", kLabel, {170, 32, 210, 42}, -1},
    {kEditClass, "", kField, {212, 30, 248, 42}, idBlockBegin},
    {kStaticClass, "&Ende:", kLabel, {170, 47, 210, 57}, -1},
    {kEditClass, "", kField, {212, 45, 248, 57}, idBlockEnd},
    {kStaticClass, "Zeichen&ketten-Begrenzung:", kLabel, {122, 65, 210, 75}, -1},
    {kEditClass, "", kField, {212, 63, 248, 75}, idStringChar},
    {kButtonClass, "Farbhervorhebung de&aktivieren", WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX, {122, 90, 254, 100}, idSyntaxOff},
    {kButtonClass, "&Schlüsselwörter: ", WS_VISIBLE | BS_GROUPBOX, {6, 108, 254, 210}, -1},
    {kButtonClass, "&Groß-/Kleinschreibung unterscheiden", WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX, {12, 120, 250, 130}, idKeyCase},
    {kEditClass, "", WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN, {12, 132, 248, 206}, idKeyWords},
};

constexpr int32_t kDefinitionFields[] = {idLineComment, idBlockBegin, idBlockEnd, idStringChar, idKeyCase, idKeyWords, idSyntaxDelete};

bool gFilling = false;

std::string Trim(const std::string& text) {
  size_t begin = text.find_first_not_of(" \t");
  if (begin == std::string::npos) return {};
  size_t end = text.find_last_not_of(" \t");
  return text.substr(begin, end - begin + 1);
}

// Extensions as written in the file: blanks between them, no dots, upper case kept as typed.
std::string CleanExtensions(const std::string& text) {
  std::string out;
  std::string word;
  auto flush = [&] {
    if (word.empty()) return;
    if (!out.empty()) out += ' ';
    out += word;
    word.clear();
  };
  for (char c : text) {
    if (c == ' ' || c == '\t' || c == ',' || c == ';') {
      flush();
    } else if (c != '.' && c != '*') {
      word += c;
    }
  }
  flush();
  return out;
}

TSyntaxColorInfo* Selected(TWindow page, TSheetState& s) {
  int32_t i = ListSelection(page, idSyntaxList);
  if (i < 0 || i >= static_cast<int32_t>(s.Syntax.size())) return nullptr;
  return &s.Syntax[static_cast<size_t>(i)];
}

// Line breaks of the keyword field are blanks in the definition.
std::string KeyWordsOf(const std::string& text) {
  std::string out;
  for (char c : text) out += (c == '\r' || c == '\n' || c == '\t') ? ' ' : c;
  return out;
}

void ShowSelected(TWindow page, TSheetState& s) {
  TSyntaxColorInfo* d = Selected(page, s);
  gFilling = true;
  SetDlgItemText(page, idSyntaxExt, d ? d->FileExt : std::string());
  SetDlgItemText(page, idLineComment, d ? d->LineComment : std::string());
  SetDlgItemText(page, idBlockBegin, d ? d->BlockBegin : std::string());
  SetDlgItemText(page, idBlockEnd, d ? d->BlockEnd : std::string());
  SetDlgItemText(page, idStringChar, d && d->StringChar ? std::string(1, d->StringChar) : std::string());
  Check(page, idKeyCase, d && d->KeyCase);
  SetDlgItemText(page, idKeyWords, d ? d->KeyWords : std::string());
  gFilling = false;
  for (int32_t id : kDefinitionFields) EnableControl(page, id, d != nullptr);
  EnableControl(page, idSyntaxAdd, s.Syntax.size() < static_cast<size_t>(kMaxSyntaxTypes));
}

void Refill(TWindow page, TSheetState& s, int32_t select) {
  SendDlgItemMessage(page, idSyntaxList, LB_RESETCONTENT, 0, 0);
  for (const TSyntaxColorInfo& d : s.Syntax) ListAdd(page, idSyntaxList, d.FileExt);
  int32_t count = static_cast<int32_t>(s.Syntax.size());
  ListSelect(page, idSyntaxList, select < count ? select : count - 1);
  ShowSelected(page, s);
}

void TakeFields(TWindow page, TSheetState& s) {
  TSyntaxColorInfo* d = Selected(page, s);
  if (!d) return;
  d->LineComment = Trim(GetDlgItemText(page, idLineComment)).substr(0, 3);
  d->BlockBegin = Trim(GetDlgItemText(page, idBlockBegin)).substr(0, 2);
  d->BlockEnd = Trim(GetDlgItemText(page, idBlockEnd)).substr(0, 2);
  std::string quote = Trim(GetDlgItemText(page, idStringChar));
  d->StringChar = quote.empty() ? '\0' : quote[0];
  d->KeyCase = Checked(page, idKeyCase);
  d->KeyWords = KeyWordsOf(GetDlgItemText(page, idKeyWords));
  PageChanged(page);
}

// A new definition takes the extensions of the field and starts with the double quote as
// its string delimiter; extensions already defined elsewhere are refused.
void Add(TWindow page, TSheetState& s) {
  std::string ext = CleanExtensions(GetDlgItemText(page, idSyntaxExt));
  if (ext.empty() || s.Syntax.size() >= static_cast<size_t>(kMaxSyntaxTypes)) {
    MessageBeep(0);
    return;
  }
  TSyntaxColorInfo d;
  d.FileExt = ext;
  d.StringChar = '"';
  d.KeyColor = s.SyntaxColors[0];
  d.CommentColor = s.SyntaxColors[1];
  d.StringColor = s.SyntaxColors[2];
  s.Syntax.push_back(d);
  Refill(page, s, static_cast<int32_t>(s.Syntax.size()) - 1);
  GotoDlgCtrl(GetDlgItem(page, idLineComment));
  PageChanged(page);
}

void Delete(TWindow page, TSheetState& s) {
  int32_t i = ListSelection(page, idSyntaxList);
  if (i < 0 || i >= static_cast<int32_t>(s.Syntax.size())) return;
  s.Syntax.erase(s.Syntax.begin() + i);
  Refill(page, s, i);
  PageChanged(page);
}

// Renames the selected definition's extensions when the field is left.
void TakeExtensions(TWindow page, TSheetState& s) {
  TSyntaxColorInfo* d = Selected(page, s);
  if (!d) return;
  std::string ext = CleanExtensions(GetDlgItemText(page, idSyntaxExt));
  if (ext.empty() || ext == d->FileExt) return;
  d->FileExt = ext;
  int32_t i = ListSelection(page, idSyntaxList);
  Refill(page, s, i);
  PageChanged(page);
}

// Writes every definition, numbered without gaps, and erases the sections behind them.
// False when the file cannot be written.
bool Apply(TSheetState& s) {
  TIniOptions& o = s.Options();
  bool changed = o.SyntaxColoring == s.SyntaxOff;
  o.SyntaxColoring = !s.SyntaxOff;
  const std::string& path = s.Host->ColorWriteFile.empty() ? s.Host->ColorFile : s.Host->ColorWriteFile;
  if (!path.empty()) {
    TProfileFile file(s.Host->ColorFile);
    (void)file.Load();
    file.SetWritePath(path);
    for (size_t i = 0; i < s.Syntax.size(); ++i) {
      SaveSyntaxColorInfo(file, static_cast<int32_t>(i), s.Syntax[i], i + 1 == s.Syntax.size());
    }
    if (s.Syntax.empty()) {
      for (int32_t i = 0; i < kMaxSyntaxTypes; ++i) file.EraseSection("C" + std::to_string(i));
    }
    if (file.IsDirty()) {
      if (file.Flush() != 0) return false;
      changed = true;
    }
  }
  if (changed) s.Changed(sgSyntax, 0);
  return true;
}

}  // namespace

const TDialogTemplate kSyntaxPage{"Syntax", {260, 214}, kItems, DS_CONTROL};

intptr_t SyntaxPageProc(TWindow page, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  TSheetState* s = SheetStateOf(page);
  switch (message) {
    case WM_INITDIALOG:
      s = BindSheetState(page, lParam);
      for (int32_t id : {idLineComment, idStringChar}) SendDlgItemMessage(page, id, EM_LIMITTEXT, id == idStringChar ? 1 : 3, 0);
      for (int32_t id : {idBlockBegin, idBlockEnd}) SendDlgItemMessage(page, id, EM_LIMITTEXT, 2, 0);
      Check(page, idSyntaxOff, s->SyntaxOff);
      Refill(page, *s, 0);
      return 1;
    case WM_COMMAND: {
      if (!s || gFilling) return 0;
      int32_t id = CommandId(wParam);
      switch (id) {
        case idSyntaxList:
          if (CommandCode(wParam) == LBN_SELCHANGE) ShowSelected(page, *s);
          return 1;
        case idSyntaxExt:
          if (CommandCode(wParam) == EN_KILLFOCUS) TakeExtensions(page, *s);
          return 1;
        case idLineComment:
        case idBlockBegin:
        case idBlockEnd:
        case idStringChar:
        case idKeyWords:
          if (CommandCode(wParam) == EN_CHANGE) TakeFields(page, *s);
          return 1;
        case idKeyCase: TakeFields(page, *s); return 1;
        case idSyntaxOff:
          s->SyntaxOff = Checked(page, idSyntaxOff);
          PageChanged(page);
          return 1;
        case idSyntaxAdd: Add(page, *s); return 1;
        case idSyntaxDelete: Delete(page, *s); return 1;
        default: return 0;
      }
    }
    case WM_NOTIFY:
      if (SheetNotification(lParam) == PSN_APPLY) {
        bool ok = s && Apply(*s);
        if (!ok && s) MessageBeep(0);
        return PageAnswer(page, ok || !s ? PSNRET_NOERROR : PSNRET_INVALID);
      }
      return 0;
    default:
      return 0;
  }
}
