// Property sheets driven by a script: the start page, pages made when first shown, a page
// that refuses to be left, Apply, OK and Cancel with the notifications in order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "UiFixture.h"
#include "platform/ui/DialogScript.h"
#include "platform/ui/PropertySheet.h"
#include "platform/ui/SystemMetrics.h"

using namespace platform;

namespace {

enum : int32_t { idValue = 201 };

constexpr TDialogItem kPageItems[] = {
    {kStaticClass, "&Wert:", WS_VISIBLE, {4, 6, 40, 16}, -1},
    {kEditClass, "", WS_VISIBLE | WS_TABSTOP | WS_GROUP, {44, 4, 140, 16}, idValue},
};
constexpr TDialogTemplate kPage{"Seite", {150, 60}, kPageItems};

struct TRecord {
  std::vector<std::string> Events;
  // A page refuses to be left while its field holds this text; to apply, while it holds
  // the other.
  std::string Refuse = "falsch";
  std::string RefuseApply = "ungültig";
};
TRecord* gRec = nullptr;

intptr_t PageProc(TWindow page, uint32_t message, uintptr_t, intptr_t lParam) {
  std::string n = std::to_string(GetWindowExtra(page, 0));
  switch (message) {
    case WM_INITDIALOG:
      SetWindowExtra(page, 0, lParam);
      gRec->Events.push_back("init " + std::to_string(lParam));
      return 1;
    case WM_COMMAND:
      return 0;
    case WM_NOTIFY: {
      const auto* h = reinterpret_cast<const TPsHdrNotify*>(lParam);
      std::string text = GetDlgItemText(page, idValue);
      switch (h->Header.Code) {
        case PSN_SETACTIVE:
          gRec->Events.push_back("active " + n);
          return 1;
        case PSN_KILLACTIVE:
          gRec->Events.push_back("leave " + n);
          SetDialogResult(page, text == gRec->Refuse ? 1 : 0);
          return 1;
        case PSN_APPLY:
          gRec->Events.push_back("apply " + n + (h->LParam ? " close" : ""));
          SetDialogResult(page, text == gRec->RefuseApply ? PSNRET_INVALID : PSNRET_NOERROR);
          return 1;
        case PSN_RESET:
          gRec->Events.push_back("reset " + n);
          return 1;
        default:
          return 0;
      }
    }
    default:
      return 0;
  }
}

class PropertySheetTest : public uitest::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    gRec = &Rec;
    for (int32_t i = 0; i < 9; ++i) Pages.push_back(TPropSheetPage{&kPage, PageProc, i, Titles[i]});
    Header.Owner = Make(800, 600);
    Header.Caption = "Z&K Quellwerk: Programm-Einstellungen";
    Header.Pages = Pages;
    Header.Flags = PSH_HASHELP;
    Header.LastPage = &Last;
  }
  intptr_t Run(TScriptSteps& steps) {
    Backend->SetIdleScript([&] { return steps.Step(); });
    return PropertySheet(Header);
  }
  TWindow Sheet() const { return GetParent(GetParent(GetFocus())); }
  TWindow Page() const { return static_cast<TWindow>(SendMessage(Sheet(), PSM_GETCURRENTPAGEHWND, 0, 0)); }
  void Type(const std::string& text) {
    SetWindowText(GetDlgItem(Page(), idValue), text);
  }

  const char* Titles[9] = {"Allgemein", "Sicherheit", "Texteditor", "Farben/Schriften", "Dateifilter",
                           "Seite einrichten", "Mehrfach-Ersetzen", "Anwendungen", "Syntax"};
  TRecord Rec;
  std::vector<TPropSheetPage> Pages;
  TPropSheetHeader Header;
  int32_t Last = -1;
};

TEST_F(PropertySheetTest, StartsAtItsPageMakesPagesLazilyAndAppliesAllOnOk) {
  Header.StartPage = 3;
  std::vector<std::string> buttons;
  std::vector<bool> applyEnabled;
  TScriptSteps steps;
  steps.Then([&] {
         TWindow sheet = Sheet();
         for (int32_t id : {IDOK, IDCANCEL, kSheetApplyId, IDHELP}) buttons.push_back(GetDlgItemText(sheet, id));
         applyEnabled.push_back(IsWindowEnabled(GetDlgItem(sheet, kSheetApplyId)));
         // Nine tabs do not fit one row.
         EXPECT_GT(SendMessage(GetDlgItem(sheet, kSheetTabId), TCM_GETROWCOUNT, 0, 0), 1);
         SendMessage(sheet, PSM_CHANGED, Page(), 0);
         applyEnabled.push_back(IsWindowEnabled(GetDlgItem(sheet, kSheetApplyId)));
         ScriptKey(VK_TAB, false, true);  // Ctrl+Tab: the next page
       })
      .Then([&] { ScriptKey(VK_RETURN); });
  EXPECT_EQ(Run(steps), 1);
  EXPECT_EQ(buttons, (std::vector<std::string>{"OK", "Abbrechen", "Ü&bernehmen", "Hilfe"}));
  EXPECT_EQ(applyEnabled, (std::vector<bool>{false, true}));
  EXPECT_EQ(Rec.Events, (std::vector<std::string>{"init 3", "active 3", "leave 3", "init 4", "active 4",
                                                   "leave 4", "apply 3 close", "apply 4 close"}));
  EXPECT_EQ(Last, 4);
}

TEST_F(PropertySheetTest, PageThatRefusesToBeLeftKeepsTheSheetOnIt) {
  std::vector<int32_t> shown;
  TScriptSteps steps;
  auto note = [&] { shown.push_back(static_cast<int32_t>(SendMessage(GetDlgItem(Sheet(), kSheetTabId), TCM_GETCURSEL, 0, 0))); };
  steps.Then([&] {
         Type("falsch");
         // By the tabs (as a click would), by the sheet message and by OK: all refused.
         SendMessage(GetDlgItem(Sheet(), kSheetTabId), kCtlUserSelect, 2, 0);
         note();
         EXPECT_EQ(SendMessage(Sheet(), PSM_SETCURSEL, 5, 0), 0);
         note();
         ScriptKey(VK_RETURN);
       })
      .Then([&] {
        note();
        Type("richtig");
        SendMessage(GetDlgItem(Sheet(), kSheetTabId), kCtlUserSelect, 2, 0);
        note();
        ScriptKey(VK_ESCAPE);
      });
  EXPECT_EQ(Run(steps), 0);
  EXPECT_EQ(shown, (std::vector<int32_t>{0, 0, 0, 2}));
  // Cancel resets every page that was made, without asking them to leave.
  ASSERT_GE(Rec.Events.size(), 2u);
  EXPECT_EQ(Rec.Events[Rec.Events.size() - 2], "reset 0");
  EXPECT_EQ(Rec.Events.back(), "reset 2");
  EXPECT_EQ(Last, 2);
}

TEST_F(PropertySheetTest, ApplyRefusedByAnotherPageShowsThatPageAndStaysOpen) {
  TScriptSteps steps;
  std::vector<int32_t> shown;
  steps.Then([&] {
         Type("ungültig");
         SendMessage(Sheet(), PSM_SETCURSEL, 1, 0);
       })
      .Then([&] {
        SendMessage(Sheet(), PSM_CHANGED, Page(), 0);
        ScriptAltKey('b');  // "Ü&bernehmen"
      })
      .Then([&] {
        shown.push_back(static_cast<int32_t>(SendMessage(GetDlgItem(Sheet(), kSheetTabId), TCM_GETCURSEL, 0, 0)));
        // Still changed: Apply stays available.
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(Sheet(), kSheetApplyId)));
        Type("gut");
        SendMessage(Sheet(), PSM_PRESSBUTTON, PSBTN_OK, 0);
      });
  EXPECT_EQ(Run(steps), 1);
  EXPECT_EQ(shown, (std::vector<int32_t>{0}));
  EXPECT_EQ(std::count(Rec.Events.begin(), Rec.Events.end(), "apply 0"), 1);
  EXPECT_EQ(Rec.Events.back(), "apply 1 close");
}

TEST_F(PropertySheetTest, SheetWithoutPagesOrWithABadPageIsNotShown) {
  TPropSheetHeader empty;
  EXPECT_EQ(PropertySheet(empty), -1);
  Pages[4].Template = nullptr;
  EXPECT_EQ(PropertySheet(Header), -1);
}

TEST_F(PropertySheetTest, SheetOverALowOwnerAtTheTopKeepsItsTitleOnTheScreen) {
  // Pages taller than the owner: centred over it, the sheet would start above the screen.
  constexpr TDialogTemplate kTall{"Seite", {150, 220}, kPageItems};
  for (TPropSheetPage& page : Pages) page.Template = &kTall;
  Header.Owner = CreateWindowEx(0, "Recorder", "R", WS_VISIBLE, TRect{20, 20, 620, 156}, 0, nullptr);
  TRect placed{};
  TScriptSteps steps;
  steps.Then([&] {
    placed = GetWindowRect(Sheet());
    ScriptKey(VK_ESCAPE);
  });
  EXPECT_EQ(Run(steps), 0);
  ASSERT_GT(placed.Height(), 136);
  EXPECT_EQ(placed.Top, 0);
  EXPECT_LE(placed.Bottom, GetSystemMetrics(SM_CYSCREEN));
  // Across it stays centred over the owner.
  EXPECT_EQ(placed.Left + placed.Width() / 2, 320);
}

}  // namespace
