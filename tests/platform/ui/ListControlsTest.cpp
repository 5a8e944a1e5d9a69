// List boxes, combo boxes and list views: items and their order, selection by messages, keys
// and clicks in every selection mode, searching, owner-drawn lines, and the notifications.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "UiFixture.h"
#include "platform/ui/Controls.h"
#include "platform/ui/DialogScript.h"
#include "platform/ui/Input.h"
#include "platform/ui/Paint.h"

using namespace platform;
using uitest::Seen;

namespace {

intptr_t Add(TWindow w, uint32_t message, const char* text, uintptr_t at = 0) {
  return SendMessage(w, message, at, reinterpret_cast<intptr_t>(text));
}

class ListControlsTest : public uitest::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    Parent = Make(400, 300);
  }
  std::vector<uint32_t> Codes(int32_t id) const {
    std::vector<uint32_t> codes;
    for (const uitest::TSeen& s : Seen()) {
      if (s.Message == WM_COMMAND && LoWord(s.WParam) == static_cast<uint32_t>(id)) codes.push_back(HiWord(s.WParam));
    }
    return codes;
  }
  // Notifications of list views, copied while their records exist.
  static std::vector<std::pair<int32_t, int32_t>>& Notified() {
    static std::vector<std::pair<int32_t, int32_t>> notes;
    return notes;
  }
  static intptr_t NoteProc(TWindow w, uint32_t m, uintptr_t wp, intptr_t lp) {
    if (m == WM_NOTIFY) {
      const auto* n = reinterpret_cast<const TNmListView*>(lp);
      Notified().emplace_back(n->Header.Code, n->Item);
    }
    return DefWindowProc(w, m, wp, lp);
  }
  std::vector<int32_t> Notes(int32_t code) const {
    std::vector<int32_t> items;
    for (auto [c, item] : Notified()) {
      if (c == code) items.push_back(item);
    }
    return items;
  }
  std::string Text(TWindow w, uint32_t message, intptr_t index) {
    std::string text;
    SendMessage(w, message, static_cast<uintptr_t>(index), reinterpret_cast<intptr_t>(&text));
    return text;
  }
  TWindow Parent = 0;
};

TEST_F(ListControlsTest, ListBoxKeepsItemsSortedAndFindsThemWithoutRegardToCase) {
  TWindow list = CreateControl(kListBoxClass, "", WS_VISIBLE | LBS_SORT | LBS_NOTIFY, {0, 0, 100, 100}, Parent, 7);
  Add(list, LB_ADDSTRING, "Zeta");
  Add(list, LB_ADDSTRING, "alpha");
  Add(list, LB_ADDSTRING, "Äpfel");
  EXPECT_EQ(Add(list, LB_ADDSTRING, "beta"), 1);
  EXPECT_EQ(Text(list, LB_GETTEXT, 0), "alpha");
  EXPECT_EQ(Text(list, LB_GETTEXT, 3), "Äpfel");  // after Z, as the byte order puts it
  EXPECT_EQ(Add(list, LB_FINDSTRINGEXACT, "ZETA", static_cast<uintptr_t>(-1)), 2);
  EXPECT_EQ(Add(list, LB_FINDSTRINGEXACT, "äpfel", static_cast<uintptr_t>(-1)), 3);
  EXPECT_EQ(Add(list, LB_FINDSTRING, "Be", static_cast<uintptr_t>(-1)), 1);
  EXPECT_EQ(Add(list, LB_FINDSTRINGEXACT, "gamma", static_cast<uintptr_t>(-1)), LB_ERR);
  // Inserting at an index ignores the sorting; bad indexes are errors.
  EXPECT_EQ(Add(list, LB_INSERTSTRING, "mitte", 2), 2);
  EXPECT_EQ(Add(list, LB_INSERTSTRING, "x", 99), LB_ERR);
  EXPECT_EQ(SendMessage(list, LB_GETTEXTLEN, 9, 0), LB_ERR);
  EXPECT_EQ(SendMessage(list, LB_SETITEMDATA, 2, 77), 0);
  EXPECT_EQ(SendMessage(list, LB_GETITEMDATA, 2, 0), 77);
  // The selection follows insertions and deletions before it and is gone with its item.
  SendMessage(list, LB_SETCURSEL, 2, 0);
  Add(list, LB_INSERTSTRING, "vorn", 0);
  EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 3);
  SendMessage(list, LB_DELETESTRING, 0, 0);
  EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 2);
  SendMessage(list, LB_DELETESTRING, 2, 0);
  EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), LB_ERR);
  EXPECT_EQ(SendMessage(list, LB_GETCOUNT, 0, 0), 4);
}

TEST_F(ListControlsTest, ListBoxSelectsByKeysAndClicksAndNotifies) {
  TWindow list = CreateControl(kListBoxClass, "", WS_VISIBLE | LBS_NOTIFY, {0, 0, 100, 100}, Parent, 7);
  for (const char* s : {"a", "b", "c"}) Add(list, LB_ADDSTRING, s);
  SetFocus(list);
  Seen().clear();
  ScriptKey(VK_DOWN);
  ScriptKey(VK_DOWN);
  ScriptKey(VK_END);
  ScriptKey(VK_END);  // already there: no change, no notification
  RunPendingMessages();
  EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(Codes(7), (std::vector<uint32_t>{LBN_SELCHANGE, LBN_SELCHANGE, LBN_SELCHANGE}));
  // Line height is the font's: a click on the second line, a double click on it.
  int32_t height = static_cast<int32_t>(SendMessage(list, LB_GETITEMHEIGHT, 0, 0));
  Seen().clear();
  ScriptClick(list, {5, 1 + height + 2}, true);
  RunPendingMessages();
  EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(Codes(7), (std::vector<uint32_t>{LBN_SELCHANGE, LBN_DBLCLK}));
  // LB_SETCURSEL is the program's own doing: no notification.
  Seen().clear();
  SendMessage(list, LB_SETCURSEL, 0, 0);
  EXPECT_TRUE(Codes(7).empty());
}

TEST_F(ListControlsTest, MultipleAndExtendedSelection) {
  TWindow multi = CreateControl(kListBoxClass, "", WS_VISIBLE | LBS_MULTIPLESEL, {0, 0, 100, 100}, Parent, 7);
  TWindow ext = CreateControl(kListBoxClass, "", WS_VISIBLE | LBS_EXTENDEDSEL, {110, 0, 210, 100}, Parent, 8);
  for (const char* s : {"a", "b", "c", "d"}) {
    Add(multi, LB_ADDSTRING, s);
    Add(ext, LB_ADDSTRING, s);
  }
  int32_t h = static_cast<int32_t>(SendMessage(multi, LB_GETITEMHEIGHT, 0, 0));
  // Multiple: each click toggles its line.
  ScriptClick(multi, {5, 2});
  ScriptClick(multi, {5, 2 + 2 * h});
  ScriptClick(multi, {5, 2});
  RunPendingMessages();
  int32_t items[4] = {};
  EXPECT_EQ(SendMessage(multi, LB_GETSELCOUNT, 0, 0), 1);
  EXPECT_EQ(SendMessage(multi, LB_GETSELITEMS, 4, reinterpret_cast<intptr_t>(items)), 1);
  EXPECT_EQ(items[0], 2);
  EXPECT_EQ(SendMessage(multi, LB_SETCURSEL, 0, 0), LB_ERR);
  SendMessage(multi, LB_SETSEL, 1, -1);
  EXPECT_EQ(SendMessage(multi, LB_GETSELCOUNT, 0, 0), 4);
  // Extended: a click selects one, Shift+click a range from it, Ctrl+click toggles one.
  ScriptClick(ext, {5, 2 + h});
  RunPendingMessages();
  InputKey(VK_SHIFT, true);
  ScriptClick(ext, {5, 2 + 3 * h});
  RunPendingMessages();
  InputKey(VK_SHIFT, false);
  RunPendingMessages();
  EXPECT_EQ(SendMessage(ext, LB_GETSELCOUNT, 0, 0), 3);
  EXPECT_EQ(SendMessage(ext, LB_GETSEL, 0, 0), 0);
  InputKey(VK_CONTROL, true);
  ScriptClick(ext, {5, 2 + 2 * h});
  RunPendingMessages();
  InputKey(VK_CONTROL, false);
  RunPendingMessages();
  EXPECT_EQ(SendMessage(ext, LB_GETSEL, 2, 0), 0);
  EXPECT_EQ(SendMessage(ext, LB_GETSELCOUNT, 0, 0), 2);
  // Shift+Down extends from the anchor of the Ctrl+click.
  ScriptKey(VK_DOWN, true);
  RunPendingMessages();
  EXPECT_EQ(SendMessage(ext, LB_GETSELCOUNT, 0, 0), 2);
  EXPECT_EQ(SendMessage(ext, LB_GETSEL, 3, 0), 1);
}

struct TDrawn {
  std::vector<int32_t> Items;
  std::vector<uint32_t> States;
};
TDrawn* gDrawn = nullptr;

intptr_t OwnerProc(TWindow w, uint32_t m, uintptr_t wp, intptr_t lp) {
  if (m == WM_MEASUREITEM) {
    reinterpret_cast<TMeasureItemStruct*>(lp)->ItemHeight = 20;
    return 1;
  }
  if (m == WM_DRAWITEM) {
    auto* d = reinterpret_cast<TDrawItemStruct*>(lp);
    gDrawn->Items.push_back(d->ItemID);
    gDrawn->States.push_back(d->ItemState);
    d->Canvas->TextOut(d->ItemRect.Left, d->ItemRect.Top, "#" + std::to_string(d->ItemData));
    return 1;
  }
  return DefWindowProc(w, m, wp, lp);
}

TEST_F(ListControlsTest, OwnerDrawnLinesAreMeasuredOnceAndPaintedByTheParent) {
  TWindowClass cls;
  cls.Name = "OwnerParent";
  cls.Proc = OwnerProc;
  ASSERT_TRUE(RegisterWindowClass(cls));
  TDrawn drawn;
  gDrawn = &drawn;
  TWindow parent = CreateWindowEx(0, "OwnerParent", "", WS_VISIBLE, {0, 0, 300, 200}, 0, nullptr);
  TWindow list = CreateControl(kListBoxClass, "", WS_VISIBLE | LBS_OWNERDRAWFIXED, {0, 0, 100, 50}, parent, 9);
  for (int i = 0; i < 4; ++i) {
    Add(list, LB_ADDSTRING, "");
    SendMessage(list, LB_SETITEMDATA, static_cast<uintptr_t>(i), 10 + i);
  }
  SendMessage(list, LB_SETCURSEL, 1, 0);
  EXPECT_EQ(SendMessage(list, LB_GETITEMHEIGHT, 0, 0), 20);
  RunPendingMessages();
  // 48 pixels inside the frame hold lines 0, 1 and part of 2.
  EXPECT_EQ(drawn.Items, (std::vector<int32_t>{0, 1, 2}));
  EXPECT_EQ(drawn.States[1] & ODS_SELECTED, ODS_SELECTED);
  EXPECT_EQ(drawn.States[0] & ODS_SELECTED, 0u);
  EXPECT_EQ(Backend->TextsOf(list), (std::vector<std::string>{"#10", "#11", "#12"}));

  // A colour list: a drop-down list whose field and lines the parent paints.
  TWindow colours = CreateControl(kComboBoxClass, "", WS_VISIBLE | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED,
                                  {120, 0, 220, 120}, parent, 10);
  for (int i = 0; i < 3; ++i) {
    Add(colours, CB_ADDSTRING, "");
    SendMessage(colours, CB_SETITEMDATA, static_cast<uintptr_t>(i), 20 + i);
  }
  EXPECT_EQ(SendMessage(colours, CB_GETITEMHEIGHT, 0, 0), 20);
  SendMessage(colours, CB_SETCURSEL, 2, 0);
  drawn = TDrawn{};
  RunPendingMessages();
  ASSERT_EQ(drawn.Items, (std::vector<int32_t>{2}));
  EXPECT_EQ(drawn.States[0] & ODS_COMBOBOXEDIT, ODS_COMBOBOXEDIT);
  SendMessage(colours, CB_SHOWDROPDOWN, 1, 0);
  drawn = TDrawn{};
  RunPendingMessages();
  EXPECT_EQ(drawn.Items, (std::vector<int32_t>{2, 0, 1, 2}));
  EXPECT_EQ(Backend->TextsOf(colours).back(), "#22");
}

TEST_F(ListControlsTest, ComboBoxWithEditShowsChoicesAndReportsTyping) {
  TWindow combo = CreateControl(kComboBoxClass, "", WS_VISIBLE | CBS_DROPDOWN, {0, 0, 150, 100}, Parent, 5);
  for (const char* s : {"C:\\alt", "/home", "/tmp"}) Add(combo, CB_ADDSTRING, s);
  SendMessage(combo, CB_LIMITTEXT, 6, 0);
  SetFocus(combo);
  Seen().clear();
  ScriptKey(VK_DOWN);
  ScriptKey(VK_DOWN);
  RunPendingMessages();
  EXPECT_EQ(SendMessage(combo, CB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(GetWindowText(combo), "/home");
  // The whole text is selected: typing replaces it, up to the limit.
  ScriptType("/usr/local");
  RunPendingMessages();
  EXPECT_EQ(GetWindowText(combo), "/usr/l");
  EXPECT_EQ(SendMessage(combo, CB_GETCURSEL, 0, 0), CB_ERR);
  std::vector<uint32_t> codes = Codes(5);
  EXPECT_EQ(std::count(codes.begin(), codes.end(), CBN_SELCHANGE), 2);
  EXPECT_EQ(std::count(codes.begin(), codes.end(), CBN_EDITCHANGE), 6);
  EXPECT_EQ(Text(combo, CB_GETLBTEXT, 2), "/tmp");
  EXPECT_EQ(SendMessage(combo, CB_GETLBTEXT, 3, 0), CB_ERR);
  EXPECT_EQ(Add(combo, CB_FINDSTRINGEXACT, "/TMP", static_cast<uintptr_t>(-1)), 2);
  EXPECT_EQ(Add(combo, CB_INSERTSTRING, "/neu", 0), 0);
  EXPECT_EQ(SendMessage(combo, CB_DELETESTRING, 9, 0), CB_ERR);
  EXPECT_EQ(SendMessage(combo, CB_GETCOUNT, 0, 0), 4);
  // F4 opens the list; Escape closes it inside the control.
  ScriptKey(VK_F1 + 3);
  RunPendingMessages();
  EXPECT_EQ(SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0), 1);
  EXPECT_NE(SendMessage(combo, WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS, 0);
  ScriptKey(VK_ESCAPE);
  RunPendingMessages();
  EXPECT_EQ(SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0), 0);
}

TEST_F(ListControlsTest, DropDownListPicksByFirstLetterAndKeepsTextInStepWithSelection) {
  TWindow combo = CreateControl(kComboBoxClass, "", WS_VISIBLE | CBS_DROPDOWNLIST, {0, 0, 150, 100}, Parent, 5);
  for (const char* s : {"CR/LF (DOS)", "LF (UNIX)", "CR (Mac)"}) Add(combo, CB_ADDSTRING, s);
  SendMessage(combo, CB_SETCURSEL, 0, 0);
  EXPECT_EQ(GetWindowText(combo), "CR/LF (DOS)");
  SetFocus(combo);
  ScriptType("c");  // the next item starting with C after the current one
  RunPendingMessages();
  EXPECT_EQ(SendMessage(combo, CB_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(GetWindowText(combo), "CR (Mac)");
  // Deleting the selected item leaves no selection and no stale text.
  SendMessage(combo, CB_DELETESTRING, 2, 0);
  EXPECT_EQ(SendMessage(combo, CB_GETCURSEL, 0, 0), CB_ERR);
  EXPECT_EQ(GetWindowText(combo), "");
  EXPECT_EQ(SendMessage(combo, CB_SETCURSEL, 7, 0), CB_ERR);
  SendMessage(combo, kCtlUserSelect, 1, 0);
  EXPECT_EQ(GetWindowText(combo), "LF (UNIX)");
  EXPECT_EQ(Codes(5).back(), CBN_SELCHANGE);
}

TEST_F(ListControlsTest, ListViewHasColumnsRowsAndReportsSelectionChanges) {
  TWindowClass cls;
  cls.Name = "ViewParent";
  cls.Proc = NoteProc;
  ASSERT_TRUE(RegisterWindowClass(cls));
  TWindow parent = CreateWindowEx(0, "ViewParent", "", WS_VISIBLE, {0, 0, 400, 300}, 0, nullptr);
  TWindow view = CreateControl(kListViewClass, "", WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL, {0, 0, 300, 200}, parent, 3);
  TLvColumn a{"Datei", 100};
  TLvColumn b{"Verzeichnis", 150};
  SendMessage(view, LVM_INSERTCOLUMN, 0, reinterpret_cast<intptr_t>(&a));
  SendMessage(view, LVM_INSERTCOLUMN, 1, reinterpret_cast<intptr_t>(&b));
  for (const char* name : {"a.txt", "b.txt", "c.txt"}) {
    TLvItem item{static_cast<int32_t>(SendMessage(view, LVM_GETITEMCOUNT, 0, 0)), 0, name};
    int32_t at = static_cast<int32_t>(SendMessage(view, LVM_INSERTITEM, 0, reinterpret_cast<intptr_t>(&item)));
    TLvItem sub{at, 1, std::string("/dir/") + name};
    EXPECT_EQ(SendMessage(view, LVM_SETITEM, 0, reinterpret_cast<intptr_t>(&sub)), 1);
  }
  TLvItem get{1, 1, ""};
  ASSERT_EQ(SendMessage(view, LVM_GETITEM, 0, reinterpret_cast<intptr_t>(&get)), 1);
  EXPECT_EQ(get.Text, "/dir/b.txt");
  RunPendingMessages();
  std::vector<std::string> texts = Backend->TextsOf(view);
  EXPECT_NE(std::find(texts.begin(), texts.end(), "Verzeichnis"), texts.end());
  EXPECT_NE(std::find(texts.begin(), texts.end(), "/dir/c.txt"), texts.end());

  SetFocus(view);
  Notified().clear();
  ScriptKey(VK_DOWN);
  ScriptKey(VK_DOWN);
  RunPendingMessages();
  // Single selection: the second row selected, the first one deselected on the way.
  EXPECT_EQ(SendMessage(view, LVM_GETNEXTITEM, static_cast<uintptr_t>(-1), LVNI_SELECTED), 1);
  EXPECT_EQ(SendMessage(view, LVM_GETSELECTEDCOUNT, 0, 0), 1);
  EXPECT_EQ(Notes(LVN_ITEMCHANGED), (std::vector<int32_t>{0, 0, 1}));
  ScriptKey(VK_RETURN);
  RunPendingMessages();
  EXPECT_EQ(Notes(LVN_ITEMACTIVATE), (std::vector<int32_t>{1}));
  EXPECT_EQ(SendMessage(view, LVM_DELETEITEM, 1, 0), 1);
  EXPECT_EQ(SendMessage(view, LVM_GETSELECTEDCOUNT, 0, 0), 0);
  EXPECT_EQ(SendMessage(view, LVM_DELETEITEM, 5, 0), 0);
}

}  // namespace
