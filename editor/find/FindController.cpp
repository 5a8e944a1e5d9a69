// Find, find next and replace as the frame runs them.
#include "editor/find/FindController.h"

#include <algorithm>
#include <cstdio>

#include "editor/find/FindDialog.h"
#include "editor/find/FindDialogs.h"
#include "editor/find/GotoDialog.h"
#include "editor/find/MultiReplaceDialog.h"
#include "editor/find/TextWindowSearch.h"
#include "editor/search/LineSearch.h"
#include "editor/search/SearchEscapes.h"
#include "editor/text/ChildAccess.h"
#include "editor/text/ChildWindowProc.h"
#include "editor/text/TextChars.h"
#include "editor/text/TextChildData.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Paint.h"
#include "platform/ui/StatusBar.h"
#include "platform/ui/Window.h"
#include "resources/zkedit32/Strings.h"

using namespace platform;

namespace {

constexpr int32_t kHexSelectionPreset = 17;  // bytes from which a hex selection is searched in
constexpr uint32_t kEscapeCheckEvery = 64;   // replacements between two looks at the input
constexpr uint32_t kAnswered = WM_USER + 77;  // posted to the confirmation dialog

bool IsInput(uint32_t message) {
  return (message >= WM_KEYDOWN && message <= 0x0109) || (message >= WM_MOUSEMOVE && message <= 0x020E);
}

}  // namespace

// What one replace command keeps across its windows and pairs.
struct TFindController::TLoop {
  bool Confirm = false;
  bool AnyFound = false;
  bool RegExpError = false;
  bool Cancelled = false;
  bool Long = false;  // wait cursor and status text shown
  TCursorKind OldCursor = TCursorKind::Arrow;
  TWindow ConfirmDialog = 0;
  TAnswer Answer = TAnswer::None;
  uint32_t SinceEscapeCheck = 0;
  bool EscapeSeen = false;
  // Messages other than input and paints held back while the loop runs, posted after it.
  std::vector<TMsg> Deferred;
  // Windows that had their first replacement of the command: later ones join its undo group.
  std::vector<TWindow> Grouped;
  // The request as the last window's loop left it (with the block it kept to).
  TSearchRequest LastRequest;
};

namespace {

// Looks at the pending messages: paints run, input is dropped (ESCAPE noted), everything
// else is held back so that nothing changes the documents under the loop.
template <class TLoopT>
bool PumpPending(TLoopT& loop) {
  TMsg msg;
  while (PeekMessage(msg, true)) {
    if (msg.Message == WM_QUIT) {
      PostQuitMessage(static_cast<int32_t>(msg.WParam));
      loop.EscapeSeen = true;
      break;
    }
    if (msg.Message == WM_KEYDOWN && msg.WParam == VK_ESCAPE) {
      loop.EscapeSeen = true;
    } else if (msg.Message == WM_PAINT) {
      DispatchMessage(msg);
    } else if (!IsInput(msg.Message)) {
      loop.Deferred.push_back(msg);
    }
  }
  return loop.EscapeSeen;
}

intptr_t ConfirmProc(TWindow dialog, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowExtra(dialog, 0, lParam);
      return 1;
    case WM_CLOSE:
      SendMessage(dialog, WM_COMMAND, MakeWParam(IDCANCEL, BN_CLICKED), 0);
      return 1;
    case kAnswered:
      return 1;
    case WM_COMMAND: {
      if (HiWord(wParam) != BN_CLICKED) return 0;
      auto* answer = reinterpret_cast<int32_t*>(GetWindowExtra(dialog, 0));
      const auto id = static_cast<int32_t>(LoWord(wParam));
      if (id != idcYes && id != idcNo && id != idcAll && id != IDCANCEL) return 0;
      if (answer) *answer = id;
      // The loop waiting for the answer looks again once a message arrives.
      PostMessage(dialog, kAnswered, 0, 0);
      return 1;
    }
    default:
      return 0;
  }
}

}  // namespace

TFindController::TFindController() = default;
TFindController::~TFindController() = default;

void TFindController::ShowMessageBox(std::string_view text, uint32_t captionId, int32_t icon) {
  if (Message) {
    Message(text, captionId, icon);
    return;
  }
  std::string caption(LoadResString(0));
  caption += ": ";
  caption += LoadResString(captionId);
  const uint32_t type = icon == 1 ? MB_ICONINFORMATION : icon == 3 ? MB_ICONSTOP : MB_ICONEXCLAMATION;
  (void)MessageBox(Owner, text, caption, type | MB_OK);
}

bool TFindController::Prepare(TWindow active, bool replace, int32_t* hexSearchLength) {
  if (!State_) State_ = std::make_unique<TFindState>();
  TSearchRequest& r = State_->Request;
  r = TSearchRequest{};
  TIniOptions dummy;
  TIniOptions& o = Options ? *Options : dummy;
  r.CaseSensitive = o.SearchCase;
  r.WholeWords = o.SearchWord;
  r.RegularExpression = o.SearchRegEx;
  r.FromCursor = o.SearchFromCursor;
  r.Backward = o.SearchBackward && !o.SearchRegEx;
  r.Confirm = o.ReplaceConfirm;
  r.HexInput = o.SearchHex;

  TFindDialogArgs args;
  args.Replace = replace;
  args.HexWindow = ChildKind(active) == wkHex;
  args.Request = &r;
  args.SearchTexts = &o.SearchTexts;
  args.ReplaceTexts = &o.ReplaceTexts;
  if (auto* text = dynamic_cast<TTextChildData*>(GetChildData(active))) {
    TInitialSearch initial = InitialSearchText(*text);
    args.InitialText = initial.Text;
    r.SelectionOnly = initial.SelectionOnly;
  } else if (const TWindowSearchOps* ops = WindowSearchOps(active);
             ops && ops->SelectionLength && ops->SelectionLength(active) >= kHexSelectionPreset) {
    r.SelectionOnly = true;
  }
  if (!RunFindDialog(Owner, args)) {
    State_.reset();
    return false;
  }
  o.SearchCase = r.CaseSensitive;
  o.SearchWord = r.WholeWords;
  o.SearchRegEx = r.RegularExpression;
  o.SearchFromCursor = r.FromCursor;
  o.SearchBackward = r.Backward;
  if (args.HexWindow) o.SearchHex = r.HexInput;
  if (replace) o.ReplaceConfirm = r.Confirm;
  r.FirstSearch = true;
  if (hexSearchLength) {
    uint8_t bytes[kSearchTextMax];
    *hexSearchLength = r.HexInput ? ParseHexInput(r.SearchText, bytes, kSearchTextMax)
                                  : static_cast<int32_t>(std::string_view(r.SearchText).size());
  }
  return true;
}

void TFindController::Find(TWindow active) {
  if (!Prepare(active, false, nullptr)) return;
  RunFind(active, State_->Request);
}

bool TFindController::RunFind(TWindow active, const TSearchRequest& request) {
  if (!State_ || &State_->Request != &request) {
    State_ = std::make_unique<TFindState>();
    State_->Request = request;
  }
  State_->Request.FirstSearch = true;
  const TWindowSearchOps* ops = WindowSearchOps(active);
  if (!ops) {
    // A window kind without a search of its own yet.
    State_.reset();
    MessageBeep(0);
    return false;
  }
  if (ops->Search(active, *State_, true, nullptr)) return true;
  const bool faulty = State_->RegExpError;
  State_.reset();
  InvalidateRect(active, nullptr);
  ShowMessageBox(LoadResString(faulty ? 347 : 343), 64, 2);
  return false;
}

void TFindController::FindNext(TWindow active, bool reverse) {
  const TWindowSearchOps* ops = WindowSearchOps(active);
  if (!State_ || !ops) {
    MessageBeep(0);
    return;
  }
  // Shift+F3 turns round for this one search.
  if (reverse) State_->Request.ReverseOnce = true;
  if (ops->Search(active, *State_, true, nullptr)) return;
  const bool faulty = State_->RegExpError;
  State_.reset();
  ShowMessageBox(LoadResString(faulty ? 347 : 344), 64, faulty ? 2 : 1);
}

std::string TFindController::ReplacementFor(TWindow window) const {
  const TSearchRequest& r = State_->Request;
  if (r.HexInput) {
    return std::string(reinterpret_cast<const char*>(r.HexReplace),
                       static_cast<size_t>(std::clamp(r.HexReplaceLength, 0, kSearchTextMax)));
  }
  std::string replacement = r.ReplaceText;
  if (r.RegularExpression) {
    std::string expanded;
    (void)ExpandRegExpEscapes(replacement, &expanded);
    replacement = std::move(expanded);
  }
  if (ChildKind(window) != wkHex && ChildDosMode(window)) {
    for (char& c : replacement) c = static_cast<char>(WinToDosChar(static_cast<uint8_t>(c)));
  }
  return replacement;
}

void TFindController::BeginLong(TLoop& loop) {
  if (loop.Long) return;
  loop.Long = true;
  loop.OldCursor = SetCursor(TCursorKind::Wait);
  if (StatusBar) {
    StatusBarSetSimple(StatusBar, true);
    StatusBarSetText(StatusBar, SB_SIMPLEID, LoadResString(329));
  }
  // The line driver lets paints through between lines and notes ESCAPE.
  uint32_t lines = 0;
  ProgramLineSearch().PumpOneMessage = [&loop, lines]() mutable {
    if (++lines % 4096 == 0) PumpPending(loop);
  };
}

TFindController::TAnswer TFindController::AskConfirmation(TLoop& loop) {
  int32_t answer = 0;
  if (!loop.ConfirmDialog || !IsWindow(loop.ConfirmDialog)) {
    loop.ConfirmDialog = CreateDialog(Owner, kConfirmDialog, ConfirmProc, 0);
    if (!loop.ConfirmDialog) return TAnswer::Cancel;
    ReplaceRunning_ = true;
    if (SetModeless) SetModeless(loop.ConfirmDialog);
  }
  SetWindowExtra(loop.ConfirmDialog, 0, reinterpret_cast<intptr_t>(&answer));
  TMsg msg;
  while (answer == 0) {
    if (!IsWindow(loop.ConfirmDialog)) return TAnswer::Cancel;
    if (!GetMessage(msg)) {
      PostQuitMessage(static_cast<int32_t>(msg.WParam));
      SetWindowExtra(loop.ConfirmDialog, 0, 0);
      return TAnswer::Cancel;
    }
    if (IsDialogMessage(loop.ConfirmDialog, msg)) continue;
    // The documents stay as they are while the question is open.
    if (IsInput(msg.Message)) continue;
    if (msg.Message == WM_PAINT) {
      DispatchMessage(msg);
    } else {
      loop.Deferred.push_back(msg);
    }
  }
  SetWindowExtra(loop.ConfirmDialog, 0, 0);
  switch (answer) {
    case idcYes: return TAnswer::Yes;
    case idcNo: return TAnswer::No;
    case idcAll: return TAnswer::All;
    default: return TAnswer::Cancel;
  }
}

bool TFindController::ReplaceInWindow(TWindow window, TLoop& loop) {
  const TWindowSearchOps* ops = WindowSearchOps(window);
  if (!ops || !ops->Replace) {
    State_.reset();
    return true;
  }
  const std::string replacement = ReplacementFor(window);
  const auto replaceLength = static_cast<int64_t>(replacement.size());
  bool first = std::find(loop.Grouped.begin(), loop.Grouped.end(), window) == loop.Grouped.end();
  bool replacedHere = false;
  TFindPosition position;
  TFindPosition last;
  while (State_) {
    loop.LastRequest = State_->Request;
    TFindPosition hit = position;
    if (!ops->Search(window, *State_, loop.Confirm, &hit)) {
      if (State_->RegExpError) loop.RegExpError = true;
      State_.reset();
      break;
    }
    loop.AnyFound = true;
    TSearchRequest& r = State_->Request;
    const bool backward = State_->Engine.Backward;
    if (loop.Confirm) {
      const TAnswer answer = AskConfirmation(loop);
      if (answer == TAnswer::Cancel) {
        State_.reset();
        loop.Cancelled = true;
        break;
      }
      if (answer == TAnswer::No) {
        // Backward the driver steps left of a hit it found last.
        position = backward ? TFindPosition{hit.Line, hit.Column, 0}
                            : TFindPosition{hit.Line, hit.Column + hit.Length + (hit.Length == 0), 0};
        continue;
      }
      if (answer == TAnswer::All) {
        loop.Confirm = false;
        BeginLong(loop);
      }
    }
    // Without questions a plain forward search takes the rest of the line in one edit.
    if (!loop.Confirm && ops->ReplaceAllInLine && !r.SelectionOnly && !backward &&
        !State_->Engine.RegularExpression && !State_->Engine.WholeWords && !r.HexInput &&
        hit.Length > 0) {
      TFindPosition end;
      if (!ops->ReplaceAllInLine(window, first, *State_, replacement, hit, &end)) {
        State_.reset();
        loop.Cancelled = true;
        break;
      }
      if (first) loop.Grouped.push_back(window);
      first = false;
      replacedHere = true;
      last = end;
      position = end;
      loop.LastRequest = r;
      if (++loop.SinceEscapeCheck >= kEscapeCheckEvery || EscapePressed) {
        loop.SinceEscapeCheck = 0;
        if (EscapePressed ? EscapePressed() : PumpPending(loop)) {
          State_.reset();
          loop.Cancelled = true;
          break;
        }
      }
      continue;
    }
    if (!ops->Replace(window, first, loop.Confirm, replacement, hit)) {
      State_.reset();
      loop.Cancelled = true;
      break;
    }
    if (first) loop.Grouped.push_back(window);
    first = false;
    replacedHere = true;
    last = TFindPosition{hit.Line, backward ? hit.Column : hit.Column + replaceLength, 0};
    // The selection a search keeps to grows or shrinks with what replaced text on its end line.
    if (r.SelectionOnly && hit.Line == r.BlockEndLine) {
      r.BlockEndColumn += static_cast<int32_t>(replaceLength - hit.Length);
    }
    loop.LastRequest = r;
    // Forward the next search starts behind the replacement, and one further behind an empty
    // hit, so that neither the inserted text nor the same empty place is found again;
    // backward it starts left of the replaced place.
    position = backward ? TFindPosition{hit.Line, hit.Column, 0}
                        : TFindPosition{hit.Line, hit.Column + replaceLength + (hit.Length == 0), 0};
    if (loop.Confirm) {
      if (ops->PlaceCursor) ops->PlaceCursor(window, last);
    } else if (++loop.SinceEscapeCheck >= kEscapeCheckEvery || EscapePressed) {
      loop.SinceEscapeCheck = 0;
      const bool stop = EscapePressed ? EscapePressed() : PumpPending(loop);
      if (stop) {
        State_.reset();
        loop.Cancelled = true;
        break;
      }
    }
  }
  if (State_) loop.LastRequest = State_->Request;
  if (replacedHere) {
    if (ops->Refresh) ops->Refresh(window);
    if (ops->PlaceCursor) ops->PlaceCursor(window, last);
  }
  return !loop.Cancelled;
}

void TFindController::EndCommand(TLoop& loop) {
  State_.reset();
  if (loop.ConfirmDialog) {
    if (IsWindow(loop.ConfirmDialog)) DestroyWindow(loop.ConfirmDialog);
    loop.ConfirmDialog = 0;
    if (SetModeless) SetModeless(0);
  }
  ReplaceRunning_ = false;
  if (loop.Long) {
    ProgramLineSearch().PumpOneMessage = nullptr;
    SetCursor(loop.OldCursor);
    if (StatusBar) StatusBarSetSimple(StatusBar, false);
    if (RestoreStatus) RestoreStatus();
    loop.Long = false;
  }
  for (const TMsg& msg : loop.Deferred) PostMessage(msg.Window, msg.Message, msg.WParam, msg.LParam);
  loop.Deferred.clear();
  if (loop.Cancelled) return;
  if (!loop.AnyFound) {
    ShowMessageBox(LoadResString(loop.RegExpError ? 347 : 343), 65, 2);
  } else {
    ShowMessageBox(LoadResString(loop.Confirm ? 344 : 345), 65, 1);
  }
}

void TFindController::Replace(TWindow active) {
  if (ReplaceRunning_) {
    MessageBeep(0);
    return;
  }
  const uint8_t kind = ChildKind(active);
  if (kind != wkEdit && kind != wkHex) return;
  int32_t searchLength = 0;
  if (!Prepare(active, true, &searchLength)) return;
  TSearchRequest& r = State_->Request;
  if (kind == wkHex) {
    r.AllDocuments = false;
    const int32_t replaceLength =
        r.HexInput ? r.HexReplaceLength : static_cast<int32_t>(std::string_view(r.ReplaceText).size());
    if (ChildOverwrite(active) && replaceLength != searchLength) {
      State_.reset();
      ShowMessageBox(LoadResString(330), 65, 3);
      return;
    }
  }
  RunReplace(active, r);
}

void TFindController::RunReplace(TWindow active, const TSearchRequest& request) {
  if (!State_ || &State_->Request != &request) {
    State_ = std::make_unique<TFindState>();
    State_->Request = request;
  }
  TSearchRequest& r = State_->Request;
  r.FirstSearch = true;
  std::vector<TWindow> windows{active};
  if (r.AllDocuments && Documents) {
    for (TWindow w : Documents()) {
      if (w != active && ChildKind(w) == wkEdit) windows.push_back(w);
    }
    if (windows.size() == 1) r.AllDocuments = false;
  }
  const TSearchRequest templ = r;
  TLoop loop;
  loop.Confirm = r.Confirm;
  if (!loop.Confirm) BeginLong(loop);
  for (size_t i = 0; i < windows.size(); ++i) {
    if (i > 0) {
      InvalidateRect(windows[i - 1], nullptr);
      if (Activate) Activate(windows[i]);
      State_ = std::make_unique<TFindState>();
      State_->Request = templ;
    }
    if (!ReplaceInWindow(windows[i], loop)) break;
  }
  EndCommand(loop);
}

void TFindController::MultipleReplace(TWindow active) {
  auto* text = dynamic_cast<TTextChildData*>(GetChildData(active));
  if (!text || !Options || ChildKind(active) != wkEdit) return;
  TMultiReplaceArgs args;
  args.Groups = &Options->MultiReplace;
  args.Group = LastGroup;
  args.FromCursor = MultiFromCursor;
  args.SelectionOnly = MultiSelectionOnly;
  args.Confirm = MultiConfirm;
  args.SetUp = OpenMultiReplaceSettings;
  if (!RunMultiReplaceDialog(Owner, args)) return;
  LastGroup = args.Group;
  MultiFromCursor = args.FromCursor;
  MultiSelectionOnly = args.SelectionOnly;
  MultiConfirm = args.Confirm;
  const TMulRepItems* group = nullptr;
  for (const TMulRepItems& g : Options->MultiReplace.Groups) {
    if (g.Name == args.Group) group = &g;
  }
  if (!group) return;
  TSearchRequest base;
  base.CaseSensitive = args.CaseSensitive;
  base.WholeWords = args.WholeWords;
  base.RegularExpression = args.RegularExpression;
  base.FromCursor = args.FromCursor;
  base.SelectionOnly = args.SelectionOnly;
  base.Confirm = args.Confirm;
  base.FirstSearch = true;
  const std::vector<TMulRepPair> pairs = group->Pairs;
  TLoop loop;
  loop.Confirm = base.Confirm;
  if (!loop.Confirm) BeginLong(loop);
  const TTextPos caret = text->Caret;
  bool firstPair = true;
  for (const TMulRepPair& pair : pairs) {
    if (pair.Search.empty()) continue;
    State_ = std::make_unique<TFindState>();
    TSearchRequest& r = State_->Request;
    r = base;
    std::snprintf(r.SearchText, sizeof r.SearchText, "%s", pair.Search.c_str());
    std::snprintf(r.ReplaceText, sizeof r.ReplaceText, "%s", pair.Replace.c_str());
    if (!firstPair) {
      // Every pair keeps to the block the first one found, as the replacements moved its end,
      // and starts where the first one started.
      if (base.SelectionOnly) {
        const TSearchRequest& kept = loop.LastRequest;
        TTextRange block = MakeTextRange(kept.BlockStartLine, kept.BlockStartColumn,
                                         kept.BlockEndLine, kept.BlockEndColumn);
        text->SetSelection(&block, 0);
      } else if (base.FromCursor) {
        text->RemoveSelection(true);
        text->CollapseSelection();
        text->SetCaret(caret.Column, caret.Line, false, false);
      }
    }
    firstPair = false;
    if (!ReplaceInWindow(active, loop)) break;
  }
  EndCommand(loop);
}

void TFindController::GotoLine(TWindow active) {
  auto* text = dynamic_cast<TTextChildData*>(GetChildData(active));
  if (!text) {
    MessageBeep(0);
    return;
  }
  TGotoArgs args;
  args.LineCount = text->Lines.Count();
  args.Line = text->Caret.Line + 1;
  args.Column = text->Caret.Column + 1;
  if (!RunGotoDialog(Owner, args)) return;
  ChildGoto(active, args.Line - 1, args.Column - 1, args.Extend);
}
