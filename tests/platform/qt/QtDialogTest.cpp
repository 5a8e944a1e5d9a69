// Dialogs on Qt's offscreen platform: every control kind as its native widget, values typed
// and chosen in the widgets reaching the layer, a screenshot, and dialogs closed by keys
// (Escape for a modeless one, Enter for a modal one).
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTimer>
#include <QTreeWidget>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/qt/QtBackend.h"
#include "platform/ui/CommonDialogs.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/PropertySheet.h"
#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/UiSystem.h"
#include "platform/ui/Window.h"

using namespace platform;

namespace {

enum : int32_t { idName = 101, idCheck = 102, idCom1 = 103, idCom2 = 104, idHistory = 105,
                 idFormat = 106, idList = 107, idView = 108, idNumber = 109, idSpin = 110,
                 idTabs = 111, idGauge = 112, idNotes = 113, idColour = 114 };

constexpr uint32_t kTab = WS_VISIBLE | WS_TABSTOP;
constexpr TDialogItem kEveryItems[] = {
    {kStaticClass, "&Name:", WS_VISIBLE, {7, 9, 50, 19}, -1},
    {kEditClass, "", kTab | WS_GROUP, {55, 7, 180, 19}, idName},
    {kButtonClass, "Mo&dem", kTab | WS_GROUP | BS_AUTOCHECKBOX, {7, 24, 80, 34}, idCheck},
    {kButtonClass, "Sc&hnittstelle", WS_VISIBLE | BS_GROUPBOX, {90, 22, 180, 56}, -1},
    {kButtonClass, "COM&1", kTab | WS_GROUP | BS_AUTORADIOBUTTON, {96, 32, 176, 42}, idCom1},
    {kButtonClass, "COM&2", WS_VISIBLE | BS_AUTORADIOBUTTON, {96, 43, 176, 53}, idCom2},
    {kStaticClass, "&Verzeichnisse:", WS_VISIBLE, {7, 60, 80, 70}, -1},
    {kComboBoxClass, "", kTab | WS_GROUP | CBS_DROPDOWN, {7, 71, 120, 130}, idHistory},
    {kComboBoxClass, "", kTab | CBS_DROPDOWNLIST, {125, 71, 180, 130}, idFormat},
    {kListBoxClass, "", kTab | WS_VSCROLL | LBS_NOTIFY | LBS_USETABSTOPS, {7, 88, 90, 140}, idList},
    {kListViewClass, "", kTab | LVS_REPORT | LVS_SINGLESEL, {95, 88, 260, 140}, idView},
    {kEditClass, "5", kTab | ES_NUMBER, {190, 7, 240, 19}, idNumber},
    {kSpinClass, "", WS_VISIBLE | UDS_AUTOBUDDY | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS, {0, 0, 10, 12}, idSpin},
    {kTabControlClass, "", kTab | TCS_MULTILINE, {190, 22, 260, 62}, idTabs},
    {kProgressClass, "", WS_VISIBLE | PBS_SHOWPERCENT, {190, 66, 260, 78}, idGauge},
    {kEditClass, "Zeile 1\r\nZeile 2", kTab | ES_MULTILINE | ES_WANTRETURN | WS_VSCROLL, {7, 145, 180, 175}, idNotes},
    {kComboBoxClass, "", kTab | WS_GROUP | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED, {7, 182, 100, 240}, idColour},
    {kButtonClass, "OK", kTab | WS_GROUP | BS_DEFPUSHBUTTON, {150, 182, 200, 196}, IDOK},
    {kButtonClass, "Abbrechen", kTab, {205, 182, 260, 196}, IDCANCEL},
};
constexpr TDialogTemplate kEvery{"Alle Steuerelemente", {268, 202}, kEveryItems, WS_VISIBLE};

std::vector<std::string>& Events() {
  static std::vector<std::string> events;
  return events;
}

intptr_t EveryProc(TWindow dialog, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      for (const char* dir : {"/home", "/tmp"}) {
        SendDlgItemMessage(dialog, idHistory, CB_ADDSTRING, 0, reinterpret_cast<intptr_t>(dir));
      }
      for (const char* f : {"CR/LF (DOS)", "LF (UNIX)", "CR (Mac)"}) {
        SendDlgItemMessage(dialog, idFormat, CB_ADDSTRING, 0, reinterpret_cast<intptr_t>(f));
      }
      SendDlgItemMessage(dialog, idFormat, CB_SETCURSEL, 0, 0);
      const int32_t stops[] = {40};
      SendDlgItemMessage(dialog, idList, LB_SETTABSTOPS, 1, reinterpret_cast<intptr_t>(stops));
      for (const char* line : {"main.vel\t12", "lib.vel\t3"}) {
        SendDlgItemMessage(dialog, idList, LB_ADDSTRING, 0, reinterpret_cast<intptr_t>(line));
      }
      TWindow view = GetDlgItem(dialog, idView);
      TLvColumn file{"Datei", 90};
      TLvColumn hits{"Treffer", 50};
      SendMessage(view, LVM_INSERTCOLUMN, 0, reinterpret_cast<intptr_t>(&file));
      SendMessage(view, LVM_INSERTCOLUMN, 1, reinterpret_cast<intptr_t>(&hits));
      TLvItem row;
      row.Text = "main.vel";
      SendMessage(view, LVM_INSERTITEM, 0, reinterpret_cast<intptr_t>(&row));
      row = TLvItem{0, 1, "12"};
      SendMessage(view, LVM_SETITEM, 0, reinterpret_cast<intptr_t>(&row));
      SendDlgItemMessage(dialog, idSpin, UDM_SETRANGE32, 1, 99);
      SendDlgItemMessage(dialog, idSpin, UDM_SETPOS32, 0, 5);
      for (const char* tab : {"Allgemein", "Syntax"}) {
        TWindow tabs = GetDlgItem(dialog, idTabs);
        SendMessage(tabs, TCM_INSERTITEM, static_cast<uintptr_t>(SendMessage(tabs, TCM_GETITEMCOUNT, 0, 0)),
                    reinterpret_cast<intptr_t>(tab));
      }
      SendDlgItemMessage(dialog, idGauge, PBM_SETPOS, 60, 0);
      CheckRadioButton(dialog, idCom1, idCom2, idCom2);
      for (TColorRef colour : {MakeRgb(200, 0, 0), MakeRgb(0, 160, 0), MakeRgb(0, 0, 220)}) {
        auto at = SendDlgItemMessage(dialog, idColour, CB_ADDSTRING, 0, reinterpret_cast<intptr_t>(""));
        SendDlgItemMessage(dialog, idColour, CB_SETITEMDATA, static_cast<uintptr_t>(at), colour);
      }
      SendDlgItemMessage(dialog, idColour, CB_SETCURSEL, 2, 0);
      return 1;
    }
    case WM_DRAWITEM: {
      auto* d = reinterpret_cast<TDrawItemStruct*>(lParam);
      if (d->ItemID < 0) return 1;
      TRect r = d->ItemRect;
      d->Canvas->FillRect(TRect{r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2}, static_cast<TColorRef>(d->ItemData));
      Events().push_back("draw " + std::to_string(d->ItemID));
      return 1;
    }
    case WM_COMMAND:
      if (HiWord(wParam) == EN_CHANGE) Events().push_back("change " + std::to_string(LoWord(wParam)));
      if (HiWord(wParam) == CBN_SELCHANGE) Events().push_back("select " + std::to_string(LoWord(wParam)));
      if (HiWord(wParam) == BN_CLICKED && (LoWord(wParam) == IDOK || LoWord(wParam) == IDCANCEL)) {
        Events().push_back("end " + std::to_string(LoWord(wParam)));
        EndDialog(dialog, static_cast<intptr_t>(LoWord(wParam)));
      }
      return 1;
    default:
      return 0;
  }
}

void Pump() {
  for (int i = 0; i < 10; ++i) {
    QCoreApplication::processEvents();
    TMsg msg;
    while (PeekMessage(msg, true)) {
      if (!IsAnyDialogMessage(msg)) DispatchMessage(msg);
    }
  }
}

void Key(QWidget* target, int key, const QString& text = QString(), Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QKeyEvent press(QEvent::KeyPress, key, mods, text);
  QApplication::sendEvent(target, &press);
  QKeyEvent release(QEvent::KeyRelease, key, mods, text);
  QApplication::sendEvent(target, &release);
}

std::filesystem::path BuildFolder() {
  return std::filesystem::read_symlink("/proc/self/exe").parent_path();
}

class QtDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    auto owned = std::make_unique<TQtBackend>();
    Backend = owned.get();
    InitUi(std::move(owned));
    Events().clear();
  }
  void TearDown() override { ShutdownUi(); }
  template <typename T>
  T* Native(TWindow dialog, int32_t id) {
    return qobject_cast<T*>(Backend->WidgetOf(GetDlgItem(dialog, id)));
  }
  TQtBackend* Backend = nullptr;
};

TEST_F(QtDialogTest, EveryControlKindIsNativeAndUserInputReachesTheLayer) {
  TWindow dialog = CreateDialog(0, kEvery, EveryProc, 0);
  ASSERT_NE(dialog, 0u);
  Pump();
  auto* name = Native<QLineEdit>(dialog, idName);
  auto* history = Native<QComboBox>(dialog, idHistory);
  auto* format = Native<QComboBox>(dialog, idFormat);
  auto* list = Native<QListWidget>(dialog, idList);
  auto* view = Native<QTreeWidget>(dialog, idView);
  auto* spin = Native<QSpinBox>(dialog, idSpin);
  ASSERT_TRUE(name && history && format && list && view && spin);
  EXPECT_NE(Native<QCheckBox>(dialog, idCheck), nullptr);
  EXPECT_NE(Native<QRadioButton>(dialog, idCom1), nullptr);
  EXPECT_NE(Native<QProgressBar>(dialog, idGauge), nullptr);
  EXPECT_NE(Native<QPushButton>(dialog, IDOK), nullptr);
  EXPECT_TRUE(Native<QRadioButton>(dialog, idCom2)->isChecked());
  EXPECT_TRUE(history->isEditable());
  EXPECT_FALSE(format->isEditable());
  EXPECT_EQ(format->currentText(), QString("CR/LF (DOS)"));
  EXPECT_EQ(list->count(), 2);
  EXPECT_EQ(view->columnCount(), 2);
  ASSERT_EQ(view->topLevelItemCount(), 1);
  EXPECT_EQ(view->topLevelItem(0)->text(1), QString("12"));
  EXPECT_EQ(spin->value(), 5);
  // The spin field covers its buddy, whose own widget stays hidden.
  EXPECT_FALSE(Native<QLineEdit>(dialog, idNumber)->isVisible());
  EXPECT_GE(spin->geometry().width(), Native<QLineEdit>(dialog, idNumber)->geometry().width());

  // Typed into the native field: the layer's text and EN_CHANGE.
  name->setFocus();
  Pump();
  EXPECT_EQ(GetFocus(), GetDlgItem(dialog, idName));
  Key(name, Qt::Key_A, "ä");
  Key(name, Qt::Key_B, "b");
  Pump();
  EXPECT_EQ(GetDlgItemText(dialog, idName), "äb");
  EXPECT_EQ(std::count(Events().begin(), Events().end(), "change 101"), 2);
  // The native caret and selection reach the layer; the layer's reach the widget.
  name->setSelection(0, 1);
  EXPECT_EQ(SendDlgItemMessage(dialog, idName, EM_GETSEL, 0, 0), MakeLParam(0, 1));
  SendDlgItemMessage(dialog, idName, EM_SETSEL, 1, 2);
  EXPECT_EQ(SendDlgItemMessage(dialog, idName, EM_GETSEL, 0, 0), MakeLParam(1, 2));
  EXPECT_EQ(name->selectedText(), QString("b"));
  // Tab in the native field goes through the dialog keys: the next tab stop, natively
  // focused too, and no tab character in the field.
  Key(name, Qt::Key_Tab, "\t");
  Pump();
  EXPECT_EQ(GetFocus(), GetDlgItem(dialog, idCheck));
  EXPECT_EQ(QApplication::focusWidget(), Native<QCheckBox>(dialog, idCheck));
  QWidget* check = Native<QCheckBox>(dialog, idCheck);
  QKeyEvent shiftDown(QEvent::KeyPress, Qt::Key_Shift, Qt::ShiftModifier);
  QApplication::sendEvent(check, &shiftDown);
  Key(check, Qt::Key_Backtab, QString(), Qt::ShiftModifier);
  QKeyEvent shiftUp(QEvent::KeyRelease, Qt::Key_Shift, Qt::NoModifier);
  QApplication::sendEvent(check, &shiftUp);
  Pump();
  EXPECT_EQ(GetFocus(), GetDlgItem(dialog, idName));
  EXPECT_EQ(GetDlgItemText(dialog, idName), "äb");
  // Chosen natively: the layer's selection and the notification.
  format->setCurrentIndex(2);
  list->setCurrentRow(1);
  spin->setValue(42);
  Native<QCheckBox>(dialog, idCheck)->click();
  view->topLevelItem(0)->setSelected(true);
  Pump();
  EXPECT_EQ(SendDlgItemMessage(dialog, idFormat, CB_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(GetDlgItemText(dialog, idFormat), "CR (Mac)");
  EXPECT_EQ(std::count(Events().begin(), Events().end(), "select 106"), 1);
  EXPECT_EQ(SendDlgItemMessage(dialog, idList, LB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(GetDlgItemText(dialog, idNumber), "42");
  EXPECT_EQ(IsDlgButtonChecked(dialog, idCheck), BST_CHECKED);
  EXPECT_EQ(SendDlgItemMessage(dialog, idView, LVM_GETNEXTITEM, static_cast<uintptr_t>(-1), LVNI_SELECTED), 0);
  // And the other way: the layer's changes show in the widgets.
  SendDlgItemMessage(dialog, idHistory, CB_ADDSTRING, 0, reinterpret_cast<intptr_t>("/usr"));
  EnableWindow(GetDlgItem(dialog, IDOK), false);
  Pump();
  EXPECT_EQ(history->count(), 3);
  EXPECT_FALSE(Native<QPushButton>(dialog, IDOK)->isEnabled());
  EnableWindow(GetDlgItem(dialog, IDOK), true);

  QWidget* window = Backend->WidgetOf(dialog);
  ASSERT_NE(window, nullptr);
  QPixmap shot = window->grab();
  // The owner-drawn colour list's field was painted by the dialog.
  EXPECT_NE(std::find(Events().begin(), Events().end(), "draw 2"), Events().end());
  EXPECT_FALSE(shot.isNull());
  EXPECT_TRUE(shot.save(QString::fromStdString((BuildFolder() / "qt_dialog_every_control.png").string())));

  // Escape in the field is IDCANCEL, which ends the modeless dialog.
  name->setFocus();
  Pump();
  Key(name, Qt::Key_Escape, QString(QChar(0x1B)));
  Pump();
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_EQ(Events().back(), "end 2");
}

intptr_t PlainProc(TWindow w, uint32_t m, uintptr_t wp, intptr_t lp) { return DefWindowProc(w, m, wp, lp); }

TEST_F(QtDialogTest, ModalDialogEndsWithEnterPressedInItsField) {
  TWindowClass cls;
  cls.Name = "QtOwner";
  cls.Proc = PlainProc;
  ASSERT_TRUE(RegisterWindowClass(cls));
  TWindow owner = CreateWindowEx(0, "QtOwner", "Besitzer", WS_VISIBLE, {10, 10, 600, 500}, 0, nullptr);
  bool ownerDisabled = false;
  bool dialogEnabled = false;
  QTimer::singleShot(0, [&] {
    ownerDisabled = !Backend->WidgetOf(owner)->isEnabled();
    if (QWidget* field = Backend->WidgetOf(GetFocus())) dialogEnabled = field->isEnabled();
  });
  QTimer::singleShot(0, [&] {
    QWidget* focus = QApplication::focusWidget();
    TWindow field = GetFocus();
    // The first tab stop has the focus in the layer; the key goes to its native widget.
    QWidget* target = Backend->WidgetOf(field);
    if (!target) target = focus;
    if (target) {
      Key(target, Qt::Key_X, "x");
      Key(target, Qt::Key_Return, "\r");
    }
  });
  intptr_t result = DialogBox(owner, kEvery, EveryProc, 0);
  EXPECT_EQ(result, IDOK);
  // The owner's window is disabled while the dialog runs, the dialog (its transient window) not.
  EXPECT_TRUE(ownerDisabled);
  EXPECT_TRUE(dialogEnabled);
  EXPECT_TRUE(Backend->WidgetOf(owner)->isEnabled());
  EXPECT_EQ(Events().back(), "end 1");
  EXPECT_EQ(std::count(Events().begin(), Events().end(), "change 101"), 1);
}

constexpr TDialogItem kPageItems[] = {
    {kStaticClass, "&Tabulatorweite:", WS_VISIBLE, {6, 8, 80, 18}, -1},
    {kEditClass, "8", kTab | WS_GROUP | ES_NUMBER, {84, 6, 120, 18}, 301},
    {kSpinClass, "", WS_VISIBLE | UDS_AUTOBUDDY | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS, {0, 0, 10, 12}, 302},
    {kButtonClass, "&Sicherungskopie anlegen", kTab | WS_GROUP | BS_AUTOCHECKBOX, {6, 24, 160, 34}, 303},
};
constexpr TDialogTemplate kPage{"Seite", {200, 90}, kPageItems};

intptr_t PageProc(TWindow page, uint32_t message, uintptr_t, intptr_t) {
  if (message == WM_INITDIALOG) {
    SendDlgItemMessage(page, 302, UDM_SETRANGE32, 1, 16);
    SendDlgItemMessage(page, 302, UDM_SETPOS32, 0, 8);
    return 1;
  }
  return 0;
}

TEST_F(QtDialogTest, PropertySheetShowsNativeTabsAndPagesAndClosesWithEscape) {
  const char* titles[] = {"Allgemein", "Sicherheit", "Texteditor", "Farben/Schriften", "Dateifilter",
                          "Seite einrichten", "Mehrfach-Ersetzen", "Anwendungen", "Syntax"};
  std::vector<TPropSheetPage> pages;
  for (const char* t : titles) pages.push_back(TPropSheetPage{&kPage, PageProc, 0, t});
  TPropSheetHeader header;
  header.Caption = "Z&K Quellwerk: Programm-Einstellungen";
  header.Pages = pages;
  header.StartPage = 2;
  header.Flags = PSH_HASHELP;
  int tabCount = -1;
  int current = -1;
  int rows = 0;
  bool shot = false;
  QTimer::singleShot(0, [&] {
    TWindow page = GetParent(GetFocus());
    TWindow sheet = GetParent(page);
    QWidget* window = Backend->WidgetOf(sheet);
    TWindow tabs = GetDlgItem(sheet, kSheetTabId);
    if (Backend->WidgetOf(tabs)) {
      tabCount = static_cast<int>(SendMessage(tabs, TCM_GETITEMCOUNT, 0, 0));
      current = static_cast<int>(SendMessage(tabs, TCM_GETCURSEL, 0, 0));
      rows = static_cast<int>(SendMessage(tabs, TCM_GETROWCOUNT, 0, 0));
    }
    if (window) {
      shot = window->grab().save(QString::fromStdString((BuildFolder() / "qt_property_sheet.png").string()));
    }
    if (QWidget* focus = Backend->WidgetOf(GetFocus())) Key(focus, Qt::Key_Escape, QString(QChar(0x1B)));
  });
  EXPECT_EQ(PropertySheet(header), 0);
  EXPECT_EQ(tabCount, 9);
  EXPECT_EQ(current, 2);
  EXPECT_GT(rows, 1);
  EXPECT_TRUE(shot);
}

TEST_F(QtDialogTest, FileDialogCarriesTheExtraPartsAndReturnsTheChoice) {
  std::filesystem::path dir = BuildFolder() / "qt_file_dialog";
  std::filesystem::create_directories(dir);
  std::ofstream(dir / "main.vel") << "x";
  TFileDialog d;
  d.Title = "Datei öffnen";
  d.Filter = "VEL-Quellen (*.vel)|*.vel|Alle Dateien (*.*)|*.*";
  d.InitialDir = dir.string();
  d.Flags = OFN_FILEMUSTEXIST;
  d.HistoryLabel = "&Verzeichnisse:";
  d.History = {"/tmp", dir.string()};
  d.CheckLabel = "In den HE&X-Editor laden";
  d.FormatLabel = "Zeilenende:";
  d.Formats = {"CR/LF (DOS)", "LF (UNIX)"};
  QStringList seen;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    for (QCheckBox* box : dialog->findChildren<QCheckBox*>()) {
      seen << box->text();
      if (box->text().contains("HE&X")) box->setChecked(true);
    }
    for (QComboBox* combo : dialog->findChildren<QComboBox*>()) {
      if (combo->findText("LF (UNIX)") >= 0) combo->setCurrentIndex(1);
      if (combo->findText("/tmp") >= 0) seen << "history";
    }
    seen << dialog->nameFilters();
    dialog->selectFile(QString::fromStdString((dir / "main.vel").string()));
    QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
  });
  ASSERT_TRUE(GetOpenFileName(d));
  EXPECT_EQ(d.FileName, (dir / "main.vel").string());
  EXPECT_TRUE(d.Checked);
  EXPECT_EQ(d.Format, 1);
  EXPECT_TRUE(seen.contains("In den HE&X-Editor laden"));
  EXPECT_TRUE(seen.contains("&Schreibgeschützt"));
  EXPECT_TRUE(seen.contains("history"));
  EXPECT_TRUE(seen.contains("VEL-Quellen (*.vel)"));
  std::filesystem::remove_all(dir);
}

}  // namespace

TEST_F(QtDialogTest, FontDialogStartsOnTheStyleInUseAndGivesBackTheChoice) {
  TFontDialog d;
  d.Font.FaceName = "DejaVu Sans Mono";
  d.Font.Height = -13;
  d.Font.Weight = 400;
  d.Flags = CF_FIXEDPITCHONLY;
  QString preselected;
  bool italic = true;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QFontDialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    preselected = dialog->currentFont().styleName();
    italic = dialog->currentFont().italic();
    QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
  });
  ASSERT_TRUE(ChooseFont(d));
  EXPECT_FALSE(italic) << preselected.toStdString();
  EXPECT_EQ(d.Font.Italic, 0);
  EXPECT_EQ(d.Font.Weight, 400);
  EXPECT_EQ(d.Font.FaceName, "DejaVu Sans Mono");
}
