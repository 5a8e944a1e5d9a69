// The pages "Allgemein", "Sicherheit" and "Texteditor": check boxes and radio buttons bound
// to the settings record, the tab-width and wrap-column corrections, and the change groups.
#include <array>
#include <string>

#include "editor/settings/SettingsIds.h"
#include "editor/settings/SettingsPages.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Controls.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Edit.h"
#include "platform/ui/PropertySheet.h"

using namespace platform;

namespace {

constexpr uint32_t kCheck = WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX;
constexpr uint32_t kRadio = WS_VISIBLE | BS_AUTORADIOBUTTON;
constexpr uint32_t kFirstRadio = kRadio | WS_TABSTOP | WS_GROUP;
constexpr uint32_t kGroup = WS_VISIBLE | BS_GROUPBOX;
constexpr uint32_t kLabel = WS_VISIBLE | SS_LEFTNOWORDWRAP;

constexpr TDialogItem kGeneralItems[] = {
    {kButtonClass, "Programmoberfläche:", kGroup, {6, 4, 254, 62}, -1},
    {kButtonClass, "&Statuszeile", kCheck | WS_GROUP, {12, 16, 124, 26}, idStatusBar},
    {kButtonClass, "Sy&mbolleiste", kCheck, {12, 28, 124, 38}, idToolBar},
    {kButtonClass, "neuer St&il", kCheck, {130, 28, 250, 38}, idToolBarFlat},
    {kButtonClass, "Hin&weisfenster anzeigen", kCheck, {130, 16, 250, 26}, idToolTips},
    {kButtonClass, "Symbol&leiste anpassen ...", WS_VISIBLE | WS_TABSTOP, {12, 42, 124, 56}, idCustomizeToolBar},
    {kButtonClass, "Öffnen bei Programmstart:", kGroup, {6, 66, 254, 122}, -1},
    {kButtonClass, "zuletzt geöffnete &Datei", kFirstRadio, {12, 78, 250, 88}, idOpenLast},
    {kButtonClass, "&alle beim letzten Beenden offenen Dateien", kRadio, {12, 89, 250, 99}, idOpenAll},
    {kButtonClass, "&neue (leere) Datei", kRadio, {12, 100, 250, 110}, idOpenNew},
    {kButtonClass, "&keine Datei", kRadio, {12, 111, 250, 121}, idOpenNone},
    {kButtonClass, "Öffnen von Dateien:", kGroup, {6, 126, 254, 170}, -1},
    {kButtonClass, "Fenster zunächst im &Vollbild", kCheck | WS_GROUP, {12, 138, 250, 148}, idOpenZoomed},
    {kButtonClass, "an letzte &Cursorposition", kCheck, {12, 149, 250, 159}, idGotoLastPos},
    {kButtonClass, "D&OS-Modus voreinstellen", kCheck, {12, 160, 250, 170}, idDosMode},
    {kButtonClass, "Arbeitsverzeichnis:", kGroup, {6, 174, 254, 210}, -1},
    {kButtonClass, "nach Programmstart in letztes Ver&zeichnis wechseln", kCheck | WS_GROUP, {12, 186, 250, 196}, idRestoreDir},
    {kButtonClass, "&entsprechend dem aktiven Dateifenster wechseln", kCheck, {12, 197, 250, 207}, idChangeDir},
    // Kept for the setting, never shown.
    {kButtonClass, "mehrfaches Starten", WS_TABSTOP | BS_AUTOCHECKBOX, {12, 212, 250, 222}, idMultipleInstances},
};

constexpr TDialogItem kSafetyItems[] = {
    {kButtonClass, "Dateischutz:", kGroup, {6, 4, 254, 40}, -1},
    {kButtonClass, "&Sicherungsdatei anlegen (*.BAK)", kCheck | WS_GROUP, {12, 16, 250, 26}, idBackup},
    {kButtonClass, "Schreib&zugriff durch andere Programme verhindern", kCheck, {12, 27, 250, 37}, idProtect},
    {kButtonClass, "NICHT-Textdateien:", kGroup, {6, 44, 254, 92}, -1},
    {kButtonClass, "Öffnen im He&x-Modus", kFirstRadio, {12, 56, 250, 66}, idNonTextHex},
    {kButtonClass, "Null-Bytes zu &Leerzeichen umwandeln und schreibgeschützt laden", kRadio, {12, 67, 252, 77}, idNonTextBlanks},
    {kButtonClass, "Abf&rage vor Öffnen", kRadio, {12, 78, 250, 88}, idNonTextAsk},
    {kButtonClass, "Als Zeilenende erkennen:", kGroup, {6, 96, 254, 154}, -1},
    {kButtonClass, "&CR + LF (PC-Standard)", kFirstRadio, {12, 108, 250, 118}, idEolCrLf},
    {kButtonClass, "L&F (Unix)", kRadio, {12, 119, 250, 129}, idEolLf},
    {kButtonClass, "C&R (Macintosh)", kRadio, {12, 130, 250, 140}, idEolCr},
    {kButtonClass, "&Alle", kRadio, {12, 141, 250, 151}, idEolAll},
};

constexpr TDialogItem kTextEditorItems[] = {
    {kStaticClass, "&Tabulatorweite:", kLabel, {6, 8, 70, 18}, -1},
    {kComboBoxClass, "", WS_VISIBLE | WS_TABSTOP | WS_GROUP | WS_VSCROLL | CBS_DROPDOWN, {72, 6, 120, 90}, idTabWidth},
    {kButtonClass, "Tabulatoren bei Eingabe durch &Leerzeichen ersetzen", kCheck | WS_GROUP, {6, 26, 254, 36}, idTabToSpaces},
    {kButtonClass, "automatischer &Zeileneinzug", kCheck, {6, 38, 254, 48}, idAutoIndent},
    {kButtonClass, "Cursorbe&wegung über Zeilenende", kCheck, {6, 50, 254, 60}, idCursorBeyondEnd},
    {kButtonClass, "vor &Eingaben Markierung löschen", kCheck, {6, 62, 254, 72}, idReplaceSelection},
    {kButtonClass, "Leerzeichen && Tabs am Zeilenende beim &Speichern entfernen", kCheck, {6, 74, 254, 84}, idTrimOnSave},
    {kButtonClass, "automatischer Zeilen&umbruch", kCheck, {6, 88, 254, 98}, idWordWrap},
    {kButtonClass, "n&ach Spalten:", kFirstRadio, {18, 101, 80, 111}, idWrapAtColumn},
    {kEditClass, "", WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_GROUP, {82, 100, 116, 112}, idWrapColumn},
    {kButtonClass, "auf &Fensterbreite", kFirstRadio, {18, 114, 160, 124}, idWrapAtWindow},
    {kButtonClass, "Editieren mittels &Drag && Drop", kCheck | WS_GROUP, {6, 130, 254, 140}, idDragDrop},
};

constexpr const char* kTabWidths[] = {"2", "3", "4", "5", "6", "8", "10", "12", "16"};

// Applies a check box to a bool of the record; true when it changed.
bool TakeCheck(TWindow page, int32_t id, bool& field) {
  bool on = Checked(page, id);
  if (on == field) return false;
  field = on;
  return true;
}

void TakeCheck(TWindow page, int32_t id, bool& field, const TSheetState& s, int32_t group) {
  if (TakeCheck(page, id, field)) s.Changed(group, field ? 1 : 0);
}

// The radio button checked among ids first..first+count-1 as 0-based, or -1.
int32_t CheckedRadio(TWindow page, int32_t first, int32_t count) {
  for (int32_t i = 0; i < count; ++i) {
    if (Checked(page, first + i)) return i;
  }
  return -1;
}

void InitGeneral(TWindow page, const TIniOptions& o) {
  Check(page, idStatusBar, o.StatusBar);
  Check(page, idToolBar, o.ToolBar);
  Check(page, idToolBarFlat, o.ToolBarFlat);
  Check(page, idToolTips, o.ToolTips);
  // Radio order: last file (2), all files (3), new file (1), none (0).
  static constexpr int32_t kRadioOf[] = {idOpenNone, idOpenNew, idOpenLast, idOpenAll};
  int32_t open = o.AutoOpen >= 0 && o.AutoOpen <= 3 ? o.AutoOpen : 1;
  CheckRadioButton(page, idOpenLast, idOpenNone, kRadioOf[open]);
  Check(page, idOpenZoomed, o.OpenZoomed);
  Check(page, idGotoLastPos, o.GotoLastPos);
  Check(page, idDosMode, o.DosMode);
  Check(page, idRestoreDir, o.RestoreDir);
  Check(page, idChangeDir, o.ChangeDir);
  Check(page, idMultipleInstances, o.MultipleInstances);
}

void ApplyGeneral(TWindow page, const TSheetState& s) {
  TIniOptions& o = s.Options();
  TakeCheck(page, idStatusBar, o.StatusBar, s, sgStatusBar);
  TakeCheck(page, idToolBar, o.ToolBar, s, sgToolBar);
  TakeCheck(page, idToolBarFlat, o.ToolBarFlat, s, sgToolBarStyle);
  TakeCheck(page, idToolTips, o.ToolTips, s, sgToolTips);
  static constexpr int32_t kOpenOf[] = {2, 3, 1, 0};
  int32_t radio = CheckedRadio(page, idOpenLast, 4);
  if (radio >= 0) o.AutoOpen = kOpenOf[radio];
  TakeCheck(page, idOpenZoomed, o.OpenZoomed);
  TakeCheck(page, idGotoLastPos, o.GotoLastPos);
  TakeCheck(page, idDosMode, o.DosMode);
  TakeCheck(page, idRestoreDir, o.RestoreDir);
  TakeCheck(page, idChangeDir, o.ChangeDir);
  TakeCheck(page, idMultipleInstances, o.MultipleInstances);
}

void InitSafety(TWindow page, const TIniOptions& o) {
  Check(page, idBackup, o.Backup);
  Check(page, idProtect, o.Protect);
  int32_t nonText = o.NonText >= 1 && o.NonText <= 3 ? o.NonText : 3;
  CheckRadioButton(page, idNonTextHex, idNonTextAsk, idNonTextHex + nonText - 1);
  int32_t eol = o.LineEnds >= 1 && o.LineEnds <= 4 ? o.LineEnds : 4;
  CheckRadioButton(page, idEolCrLf, idEolAll, idEolCrLf + eol - 1);
}

void ApplySafety(TWindow page, const TSheetState& s) {
  TIniOptions& o = s.Options();
  TakeCheck(page, idBackup, o.Backup);
  TakeCheck(page, idProtect, o.Protect, s, sgProtect);
  int32_t nonText = CheckedRadio(page, idNonTextHex, 3);
  if (nonText >= 0) o.NonText = nonText + 1;
  int32_t eol = CheckedRadio(page, idEolCrLf, 4);
  if (eol >= 0) o.LineEnds = eol + 1;
}

void EnableWrapControls(TWindow page) {
  bool wrap = Checked(page, idWordWrap);
  EnableControl(page, idWrapAtColumn, wrap);
  EnableControl(page, idWrapAtWindow, wrap);
  EnableControl(page, idWrapColumn, wrap && Checked(page, idWrapAtColumn));
}

void InitTextEditor(TWindow page, const TIniOptions& o) {
  for (const char* width : kTabWidths) {
    SendDlgItemMessage(page, idTabWidth, CB_ADDSTRING, 0, reinterpret_cast<intptr_t>(width));
  }
  SendDlgItemMessage(page, idTabWidth, CB_LIMITTEXT, 3, 0);
  SetDlgItemText(page, idTabWidth, std::to_string(o.TabCols));
  Check(page, idTabToSpaces, o.TabToSpaces);
  Check(page, idAutoIndent, o.AutoIndent);
  Check(page, idCursorBeyondEnd, o.CursorBeyondEnd);
  Check(page, idReplaceSelection, o.ReplaceSelection);
  Check(page, idTrimOnSave, o.DeleteTrailingBlanks);
  Check(page, idWordWrap, o.WordWrap);
  CheckRadioButton(page, idWrapAtColumn, idWrapAtWindow, o.WrapAtWindow ? idWrapAtWindow : idWrapAtColumn);
  SendDlgItemMessage(page, idWrapColumn, EM_LIMITTEXT, 3, 0);
  SetDlgItemText(page, idWrapColumn, std::to_string(o.WrapCol));
  Check(page, idDragDrop, o.DragDropEdit);
  EnableWrapControls(page);
}

// Puts the corrected numbers back into their fields; their values.
int32_t CorrectField(TWindow page, int32_t id, int32_t fallback) {
  int32_t value = CorrectColumnField(GetDlgItemText(page, id), fallback);
  std::string text = std::to_string(value);
  if (GetDlgItemText(page, id) != text) SetDlgItemText(page, id, text);
  return value;
}

void ApplyTextEditor(TWindow page, const TSheetState& s) {
  TIniOptions& o = s.Options();
  int32_t tab = CorrectField(page, idTabWidth, 8);
  if (tab != o.TabCols) {
    o.TabCols = tab;
    s.Changed(sgTabWidth, tab);
  }
  TakeCheck(page, idTabToSpaces, o.TabToSpaces, s, sgTabToSpaces);
  TakeCheck(page, idAutoIndent, o.AutoIndent, s, sgAutoIndent);
  TakeCheck(page, idCursorBeyondEnd, o.CursorBeyondEnd, s, sgCursorBeyondEnd);
  TakeCheck(page, idReplaceSelection, o.ReplaceSelection, s, sgReplaceSelection);
  TakeCheck(page, idTrimOnSave, o.DeleteTrailingBlanks, s, sgTrimOnSave);
  TakeCheck(page, idWordWrap, o.WordWrap, s, sgWordWrap);
  TakeCheck(page, idWrapAtWindow, o.WrapAtWindow, s, sgWrapAtWindow);
  int32_t wrap = CorrectField(page, idWrapColumn, 70);
  if (wrap != o.WrapCol) {
    o.WrapCol = wrap;
    s.Changed(sgWrapColumn, wrap);
  }
  TakeCheck(page, idDragDrop, o.DragDropEdit, s, sgDragDrop);
}

// The notifications every one of the three pages answers alike.
intptr_t Notify(TWindow page, intptr_t lParam, void (*apply)(TWindow, const TSheetState&)) {
  TSheetState* s = SheetStateOf(page);
  switch (SheetNotification(lParam)) {
    case PSN_KILLACTIVE:
      if (apply == ApplyTextEditor) {
        (void)CorrectField(page, idTabWidth, 8);
        (void)CorrectField(page, idWrapColumn, 70);
      }
      return PageAnswer(page, 0);
    case PSN_APPLY:
      if (s) apply(page, *s);
      return PageAnswer(page, PSNRET_NOERROR);
    default:
      return 0;
  }
}

}  // namespace

const TDialogTemplate kGeneralPage{"Allgemein", {260, 214}, kGeneralItems, DS_CONTROL};
const TDialogTemplate kSafetyPage{"Sicherheit", {260, 214}, kSafetyItems, DS_CONTROL};
const TDialogTemplate kTextEditorPage{"Texteditor", {260, 214}, kTextEditorItems, DS_CONTROL};

intptr_t GeneralPageProc(TWindow page, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  switch (message) {
    case WM_INITDIALOG:
      InitGeneral(page, BindSheetState(page, lParam)->Options());
      return 1;
    case WM_COMMAND:
      if (CommandId(wParam) == idCustomizeToolBar) {
        TSheetState* s = SheetStateOf(page);
        if (s && s->Host->CustomizeToolBar) s->Host->CustomizeToolBar();
        return 1;
      }
      if (CommandCode(wParam) == BN_CLICKED) PageChanged(page);
      return 0;
    case WM_NOTIFY:
      return Notify(page, lParam, ApplyGeneral);
    default:
      return 0;
  }
}

intptr_t SafetyPageProc(TWindow page, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  switch (message) {
    case WM_INITDIALOG:
      InitSafety(page, BindSheetState(page, lParam)->Options());
      return 1;
    case WM_COMMAND:
      if (CommandCode(wParam) == BN_CLICKED) PageChanged(page);
      return 0;
    case WM_NOTIFY:
      return Notify(page, lParam, ApplySafety);
    default:
      return 0;
  }
}

intptr_t TextEditorPageProc(TWindow page, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  switch (message) {
    case WM_INITDIALOG:
      InitTextEditor(page, BindSheetState(page, lParam)->Options());
      return 1;
    case WM_COMMAND:
      switch (CommandId(wParam)) {
        case idWordWrap:
        case idWrapAtColumn:
        case idWrapAtWindow:
          EnableWrapControls(page);
          PageChanged(page);
          return 1;
        case idTabWidth:
          if (CommandCode(wParam) == CBN_EDITCHANGE || CommandCode(wParam) == CBN_SELCHANGE) PageChanged(page);
          return 1;
        case idWrapColumn:
          if (CommandCode(wParam) == EN_CHANGE) PageChanged(page);
          return 1;
        default:
          if (CommandCode(wParam) == BN_CLICKED) PageChanged(page);
          return 0;
      }
    case WM_NOTIFY:
      return Notify(page, lParam, ApplyTextEditor);
    default:
      return 0;
  }
}
