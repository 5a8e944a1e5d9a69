// The page "Seite einrichten": header and footer templates with their code boxes, the date
// source, the margins in centimetres, the line options and the printer font.
#include <cmath>
#include <cstdlib>
#include <string>

#include "editor/settings/SettingsIds.h"
#include "editor/settings/SettingsPages.h"
#include "platform/ui/CommonDialogs.h"
#include "platform/ui/Controls.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Edit.h"
#include "platform/ui/PropertySheet.h"
#include "platform/ui/Window.h"

using namespace platform;

namespace {

// The code boxes: four under the header, four under the footer.
enum : int32_t { idHeaderCodes = 1650, idFooterCodes = 1660, idPrintTime = 1670, idFileTime, idFontName, idChangePrinterFont };

constexpr uint32_t kCheck = WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX;
constexpr uint32_t kLabel = WS_VISIBLE | SS_LEFTNOWORDWRAP;
constexpr uint32_t kField = WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;

constexpr TDialogItem kItems[] = {
    {kButtonClass, "Kopf-/Fußzeile:", WS_VISIBLE | BS_GROUPBOX, {6, 4, 254, 80}, -1},
    {kStaticClass, "&Kopf:", kLabel, {12, 16, 36, 26}, -1},
    {kEditClass, "", kField | WS_GROUP, {38, 14, 248, 26}, idHeader},
    {kButtonClass, "Dateiname", kCheck, {38, 28, 92, 38}, idHeaderCodes},
    {kButtonClass, "Datum", kCheck, {96, 28, 144, 38}, idHeaderCodes + 1},
    {kButtonClass, "Uhrzeit", kCheck, {148, 28, 196, 38}, idHeaderCodes + 2},
    {kButtonClass, "Seite", kCheck, {200, 28, 248, 38}, idHeaderCodes + 3},
    {kStaticClass, "&Fuß:", kLabel, {12, 46, 36, 56}, -1},
    {kEditClass, "", kField | WS_GROUP, {38, 44, 248, 56}, idFooter},
    {kButtonClass, "Dateiname", kCheck, {38, 58, 92, 68}, idFooterCodes},
    {kButtonClass, "Datum", kCheck, {96, 58, 144, 68}, idFooterCodes + 1},
    {kButtonClass, "Uhrzeit", kCheck, {148, 58, 196, 68}, idFooterCodes + 2},
    {kButtonClass, "Seite", kCheck, {200, 58, 248, 68}, idFooterCodes + 3},
    {kButtonClass, "Datum/Uhrzeit:", WS_VISIBLE | BS_GROUPBOX, {6, 84, 254, 110}, -1},
    {kButtonClass, "Zeitpunk&t des Druckens", WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, {12, 96, 126, 106}, idPrintTime},
    {kButtonClass, "Datei-&Erstellung/-Änderung", WS_VISIBLE | BS_AUTORADIOBUTTON, {130, 96, 250, 106}, idFileTime},
    {kButtonClass, "Ränder (cm):", WS_VISIBLE | BS_GROUPBOX, {6, 114, 126, 166}, -1},
    {kStaticClass, "&Links:", kLabel, {12, 126, 42, 136}, -1},
    {kEditClass, "", kField | WS_GROUP, {44, 124, 70, 136}, idMarginLeft},
    {kStaticClass, "&Rechts:", kLabel, {12, 142, 42, 152}, -1},
    {kEditClass, "", kField, {44, 140, 70, 152}, idMarginRight},
    {kStaticClass, "&Oben:", kLabel, {74, 126, 96, 136}, -1},
    {kEditClass, "", kField, {96, 124, 122, 136}, idMarginTop},
    {kStaticClass, "&Unten:", kLabel, {74, 142, 96, 152}, -1},
    {kEditClass, "", kField, {96, 140, 122, 152}, idMarginBottom},
    {kButtonClass, "Texteditor:", WS_VISIBLE | BS_GROUPBOX, {132, 114, 254, 166}, -1},
    {kButtonClass, "&Zeilennummern drucken", kCheck | WS_GROUP, {138, 126, 250, 136}, idPrintLineNumbers},
    {kButtonClass, "lange Zeilen u&mbrechen", kCheck, {138, 140, 250, 150}, idBreakLines},
    {kButtonClass, "Schrift:", WS_VISIBLE | BS_GROUPBOX, {6, 170, 254, 210}, -1},
    {kStaticClass, "", kLabel, {12, 182, 180, 192}, idFontName},
    {kButtonClass, "Ä&ndern...", WS_VISIBLE | WS_TABSTOP | WS_GROUP, {184, 180, 248, 194}, idChangePrinterFont},
    {kButtonClass, "Bild&schirmschrift", kCheck, {12, 196, 180, 206}, idUseScreenFont},
};

constexpr const char* kCodes[] = {"&N", "&D", "&U", "&S"};
constexpr size_t kTemplateMax = 80;

std::string Centimetres(int32_t hundredths) {
  std::string digits = std::to_string(hundredths / 100) + "," + std::to_string(hundredths % 100 / 10) +
                       std::to_string(hundredths % 10);
  return digits;
}

// "2,5" or "2.5" in centimetres as hundredths, clamped to 0..5000; `fallback` for text that
// is not a number.
int32_t ReadCentimetres(const std::string& text, int32_t fallback) {
  std::string copy = text;
  for (char& c : copy) {
    if (c == ',') c = '.';
  }
  const char* start = copy.c_str();
  char* end = nullptr;
  double value = std::strtod(start, &end);
  if (end == start || !std::isfinite(value)) return fallback;
  while (*end == ' ') ++end;
  if (*end != '\0') return fallback;
  double hundredths = std::round(value * 100.0);
  if (hundredths < 0) return 0;
  if (hundredths > 5000) return 5000;
  return static_cast<int32_t>(hundredths);
}

void SyncCodeBoxes(TWindow page, int32_t field, int32_t boxes) {
  std::string text = GetDlgItemText(page, field);
  for (int32_t i = 0; i < 4; ++i) Check(page, boxes + i, text.find(kCodes[i]) != std::string::npos);
}

// A code box adds its code at the end or removes every occurrence of it.
void ToggleCode(TWindow page, int32_t field, int32_t box, int32_t code) {
  std::string text = GetDlgItemText(page, field);
  if (Checked(page, box)) {
    if (text.find(kCodes[code]) == std::string::npos && text.size() + 3 <= kTemplateMax) {
      if (!text.empty() && text.back() != ' ') text += ' ';
      text += kCodes[code];
    }
  } else {
    size_t at;
    while ((at = text.find(kCodes[code])) != std::string::npos) text.erase(at, 2);
  }
  SetDlgItemText(page, field, text);
  SyncCodeBoxes(page, field, field == idHeader ? idHeaderCodes : idFooterCodes);
}

std::string FontDescription(const TLogFont& font) {
  int32_t points = font.Height < 0 ? (-font.Height * 72 + 48) / 96 : font.Height * 72 / 96;
  return font.FaceName + "," + std::to_string(points) + "," + (font.Weight >= 700 ? "fett" : "normal");
}

void Init(TWindow page, TSheetState& s) {
  const TIniOptions& o = s.Options();
  SendDlgItemMessage(page, idHeader, EM_LIMITTEXT, kTemplateMax, 0);
  SendDlgItemMessage(page, idFooter, EM_LIMITTEXT, kTemplateMax, 0);
  SetDlgItemText(page, idHeader, o.PageHeader.substr(0, kTemplateMax));
  SetDlgItemText(page, idFooter, o.PageFooter.substr(0, kTemplateMax));
  SyncCodeBoxes(page, idHeader, idHeaderCodes);
  SyncCodeBoxes(page, idFooter, idFooterCodes);
  CheckRadioButton(page, idPrintTime, idFileTime, o.UseFileDate ? idFileTime : idPrintTime);
  SetDlgItemText(page, idMarginLeft, Centimetres(o.MarginLeft));
  SetDlgItemText(page, idMarginRight, Centimetres(o.MarginRight));
  SetDlgItemText(page, idMarginTop, Centimetres(o.MarginTop));
  SetDlgItemText(page, idMarginBottom, Centimetres(o.MarginBottom));
  Check(page, idPrintLineNumbers, o.PrintLineNumbers);
  Check(page, idBreakLines, o.BreakLines);
  Check(page, idUseScreenFont, o.UseScreenFont);
  SetDlgItemText(page, idFontName, FontDescription(o.PrinterFont));
}

void Apply(TWindow page, TSheetState& s) {
  TIniOptions& o = s.Options();
  o.PageHeader = GetDlgItemText(page, idHeader).substr(0, kTemplateMax);
  o.PageFooter = GetDlgItemText(page, idFooter).substr(0, kTemplateMax);
  o.UseFileDate = Checked(page, idFileTime);
  struct TMargin {
    int32_t Id;
    int32_t* Field;
  };
  for (TMargin m : {TMargin{idMarginLeft, &o.MarginLeft}, TMargin{idMarginRight, &o.MarginRight},
                    TMargin{idMarginTop, &o.MarginTop}, TMargin{idMarginBottom, &o.MarginBottom}}) {
    *m.Field = ReadCentimetres(GetDlgItemText(page, m.Id), *m.Field);
    SetDlgItemText(page, m.Id, Centimetres(*m.Field));
  }
  o.PrintLineNumbers = Checked(page, idPrintLineNumbers);
  o.BreakLines = Checked(page, idBreakLines);
  o.UseScreenFont = Checked(page, idUseScreenFont);
}

void ChangePrinterFont(TWindow page, TSheetState& s) {
  TFontDialog dialog;
  dialog.Owner = page;
  dialog.Font = s.Options().PrinterFont;
  if (!ChooseFont(dialog)) return;
  // The printer font is kept as soon as it is chosen; the page shows its description.
  s.Options().PrinterFont = dialog.Font;
  SetDlgItemText(page, idFontName, FontDescription(dialog.Font));
  PageChanged(page);
}

}  // namespace

const TDialogTemplate kPageSetupPage{"Seite einrichten", {260, 214}, kItems, DS_CONTROL};

intptr_t PageSetupPageProc(TWindow page, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  TSheetState* s = SheetStateOf(page);
  switch (message) {
    case WM_INITDIALOG:
      Init(page, *BindSheetState(page, lParam));
      return 1;
    case WM_COMMAND: {
      if (!s) return 0;
      int32_t id = CommandId(wParam);
      if (id >= idHeaderCodes && id < idHeaderCodes + 4) {
        ToggleCode(page, idHeader, id, id - idHeaderCodes);
      } else if (id >= idFooterCodes && id < idFooterCodes + 4) {
        ToggleCode(page, idFooter, id, id - idFooterCodes);
      } else if (id == idChangePrinterFont) {
        ChangePrinterFont(page, *s);
        return 1;
      } else if ((id == idHeader || id == idFooter) && CommandCode(wParam) == EN_CHANGE) {
        SyncCodeBoxes(page, id, id == idHeader ? idHeaderCodes : idFooterCodes);
      }
      if (CommandCode(wParam) == EN_CHANGE || CommandCode(wParam) == BN_CLICKED) PageChanged(page);
      return 0;
    }
    case WM_NOTIFY:
      if (SheetNotification(lParam) == PSN_APPLY) {
        if (s) Apply(page, *s);
        return PageAnswer(page, PSNRET_NOERROR);
      }
      return 0;
    default:
      return 0;
  }
}
