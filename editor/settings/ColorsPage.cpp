// The page "Farben/Schriften": fonts and colours per window kind and the colours of the
// syntax highlighting, with a sample drawn in what is chosen.
#include <array>
#include <string>

#include "editor/settings/SettingsIds.h"
#include "editor/settings/SettingsPages.h"
#include "platform/ui/Canvas.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/CommonDialogs.h"
#include "platform/ui/Controls.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/Paint.h"
#include "platform/ui/PropertySheet.h"
#include "platform/ui/Window.h"

using namespace platform;

namespace {

constexpr int32_t kSyntaxKind = 4;

constexpr uint32_t kRadio = WS_VISIBLE | BS_AUTORADIOBUTTON;
constexpr uint32_t kLabel = WS_VISIBLE | SS_LEFTNOWORDWRAP;

constexpr TDialogItem kItems[] = {
    {kStaticClass, "&Einstellungen für:", kLabel, {6, 6, 120, 16}, -1},
    {kComboBoxClass, "", WS_VISIBLE | WS_TABSTOP | WS_GROUP | WS_VSCROLL | CBS_DROPDOWNLIST, {6, 17, 124, 90}, idColorKind},
    {kStaticClass, "Beispiel:", kLabel, {132, 6, 254, 16}, -1},
    {kListBoxClass, "", WS_VISIBLE | WS_BORDER | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, {132, 17, 254, 58}, idSample},
    {kButtonClass, "&Schrift ändern ...", WS_VISIBLE | WS_TABSTOP, {6, 36, 124, 50}, idChangeFont},
    {kButtonClass, "Farbeinstellungen:", WS_VISIBLE | BS_GROUPBOX, {6, 66, 254, 150}, -1},
    {kButtonClass, "Syste&meinstellungen verwenden", WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX, {12, 78, 250, 88}, idSystemColors},
    {kStaticClass, "Bereich:", kLabel, {12, 94, 120, 104}, -1},
    {kButtonClass, "normaler &Text", kRadio | WS_TABSTOP | WS_GROUP, {12, 105, 124, 115}, idAreaText},
    {kButtonClass, "Tabs, &Leerzeichen, ...", kRadio, {12, 116, 124, 126}, idAreaHighlight},
    {kButtonClass, "Hintergr&und", kRadio, {12, 127, 124, 137}, idAreaBack},
    {kStaticClass, "&Farbe:", kLabel | WS_GROUP, {132, 94, 250, 104}, -1},
    {kComboBoxClass, "", WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS, {132, 105, 250, 200}, idColorList},
    {kButtonClass, "&Andere ...", WS_VISIBLE | WS_TABSTOP, {132, 124, 196, 138}, idOtherColor},
};

constexpr const char* kKindNames[] = {"Texteditor", "Hex-Editor", "Fundstellen", "Dateivergleich",
                                      "Syntax-Hervorhebung"};
// The second radio button per kind (the kind's highlight), and the syntax colours' three.
constexpr const char* kHighlightLabels[] = {"Tabs, &Leerzeichen, ...", "A&dressen", "Fun&dstellen",
                                            "Tabs, &Leerzeichen, ..."};
constexpr const char* kSyntaxLabels[] = {"Schlüssel&wörter", "&Kommentare", "&Zeichenketten"};
constexpr const char* kAreaLabels[] = {"normaler &Text", "", "Hintergr&und"};

struct TNamedColor {
  const char* Name;
  TColorRef Color;
};
constexpr TNamedColor kColors[] = {
    {"Schwarz", MakeRgb(0, 0, 0)},         {"Weiß", MakeRgb(255, 255, 255)},
    {"Rot", MakeRgb(255, 0, 0)},           {"Grün", MakeRgb(0, 255, 0)},
    {"Blau", MakeRgb(0, 0, 255)},          {"Gelb", MakeRgb(255, 255, 0)},
    {"Magenta", MakeRgb(255, 0, 255)},     {"Cyan", MakeRgb(0, 255, 255)},
    {"Dunkelrot", MakeRgb(128, 0, 0)},     {"Dunkelgrün", MakeRgb(0, 128, 0)},
    {"Dunkelblau", MakeRgb(0, 0, 128)},    {"Oliv", MakeRgb(128, 128, 0)},
    {"Violett", MakeRgb(128, 0, 128)},     {"Petrol", MakeRgb(0, 128, 128)},
    {"Grau", MakeRgb(128, 128, 128)},      {"Hellgrau", MakeRgb(192, 192, 192)},
};
constexpr int32_t kNamedCount = static_cast<int32_t>(std::size(kColors));

int32_t Area(TWindow page) {
  if (Checked(page, idAreaHighlight)) return 1;
  if (Checked(page, idAreaBack)) return 2;
  return 0;
}

// The colour the page edits now.
TColorRef* CurrentColor(TSheetState& s, int32_t area) {
  if (s.ColorKind == kSyntaxKind) return &s.SyntaxColors[static_cast<size_t>(area)];
  TKindColors& c = s.Colors[static_cast<size_t>(s.ColorKind)];
  return area == 0 ? &c.Text : area == 1 ? &c.Highlight : &c.Back;
}

std::string HexName(TColorRef color) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string text = "#";
  for (int shift : {0, 8, 16}) {
    uint32_t byte = (color >> shift) & 0xFF;
    text += kHex[byte >> 4];
    text += kHex[byte & 15];
  }
  return text;
}

// The named colours, and the current one behind them when it has no name.
void FillColorList(TWindow page, TColorRef current) {
  SendDlgItemMessage(page, idColorList, CB_RESETCONTENT, 0, 0);
  int32_t selected = -1;
  for (int32_t i = 0; i < kNamedCount; ++i) {
    SendDlgItemMessage(page, idColorList, CB_ADDSTRING, 0, reinterpret_cast<intptr_t>(kColors[i].Name));
    SendDlgItemMessage(page, idColorList, CB_SETITEMDATA, static_cast<uintptr_t>(i), static_cast<intptr_t>(kColors[i].Color));
    if (kColors[i].Color == current && selected < 0) selected = i;
  }
  if (selected < 0) {
    std::string name = "Benutzerdefiniert " + HexName(current);
    SendDlgItemMessage(page, idColorList, CB_ADDSTRING, 0, reinterpret_cast<intptr_t>(name.c_str()));
    SendDlgItemMessage(page, idColorList, CB_SETITEMDATA, static_cast<uintptr_t>(kNamedCount), static_cast<intptr_t>(current));
    selected = kNamedCount;
  }
  SendDlgItemMessage(page, idColorList, CB_SETCURSEL, static_cast<uintptr_t>(selected), 0);
}

void RefreshSample(TWindow page) { InvalidateRect(GetDlgItem(page, idSample), nullptr); }

// Controls after a change of kind, area or the system-colour box.
void ShowKind(TWindow page, TSheetState& s) {
  bool syntax = s.ColorKind == kSyntaxKind;
  for (int32_t i = 0; i < 3; ++i) {
    std::string label = syntax ? kSyntaxLabels[i] : i == 1 ? kHighlightLabels[s.ColorKind] : kAreaLabels[i];
    SetDlgItemText(page, idAreaText + i, label);
  }
  ShowControl(page, idChangeFont, !syntax);
  ShowControl(page, idSystemColors, !syntax);
  Check(page, idSystemColors, s.SystemColors);
  bool own = syntax || !s.SystemColors;
  for (int32_t id : {idAreaText, idAreaHighlight, idAreaBack, idColorList, idOtherColor}) EnableControl(page, id, own);
  FillColorList(page, *CurrentColor(s, Area(page)));
  RefreshSample(page);
}

TFont SampleFont(TSheetState& s, int32_t kind) {
  auto k = static_cast<size_t>(kind == kSyntaxKind ? 0 : kind);
  if (!s.SampleFonts[k]) s.SampleFonts[k] = CreateFontIndirect(s.Fonts[k]);
  return s.SampleFonts[k];
}

void DrawSample(TSheetState& s, const TDrawItemStruct& d) {
  if (!d.Canvas) return;
  TCanvas& c = *d.Canvas;
  TKindColors colors = s.ColorKind == kSyntaxKind ? s.Colors[0] : s.Colors[static_cast<size_t>(s.ColorKind)];
  if (s.SystemColors) colors = TKindColors{GetSysColor(8), GetSysColor(5), GetSysColor(8)};
  c.FillRect(d.ItemRect, colors.Back);
  TFont old = c.SelectFont(SampleFont(s, s.ColorKind));
  c.SetBkMode(1);
  int32_t x = d.ItemRect.Left + 4;
  int32_t y = d.ItemRect.Top + 2;
  auto out = [&](std::string_view text, TColorRef color) {
    c.SetTextColor(color);
    c.TextOut(x, y, text);
    x += c.GetTextExtent(text).Width;
  };
  if (s.ColorKind == kSyntaxKind) {
    out("if", s.SyntaxColors[0]);
    out(" x ", colors.Text);
    out("\"Text\"", s.SyntaxColors[2]);
    out(" /* Kommentar */", s.SyntaxColors[1]);
  } else {
    static constexpr const char* kHighlightSample[] = {"\xBB\xB7", "0000:", "Fund", "\xBB\xB7"};
    out(kHighlightSample[s.ColorKind], colors.Highlight);
    out(" AaBbYyZz 0123", colors.Text);
  }
  c.SelectFont(old);
}

void ChooseOtherColor(TWindow page, TSheetState& s) {
  TColorRef* color = CurrentColor(s, Area(page));
  TColorDialog dialog;
  dialog.Owner = page;
  dialog.Color = *color;
  if (!ChooseColor(dialog)) return;
  *color = dialog.Color;
  FillColorList(page, *color);
  RefreshSample(page);
  PageChanged(page);
}

void ChangeFont(TWindow page, TSheetState& s) {
  if (s.ColorKind == kSyntaxKind) return;
  auto k = static_cast<size_t>(s.ColorKind);
  TFontDialog dialog;
  dialog.Owner = page;
  dialog.Font = s.Fonts[k];
  if (!ChooseFont(dialog)) return;
  s.Fonts[k] = dialog.Font;
  s.FontsChanged = true;
  if (s.SampleFonts[k]) DeleteFont(s.SampleFonts[k]);
  s.SampleFonts[k] = 0;
  RefreshSample(page);
  PageChanged(page);
}

void Apply(TSheetState& s) {
  TIniOptions& o = s.Options();
  if (s.FontsChanged && o.Fonts != s.Fonts) {
    o.Fonts = s.Fonts;
    s.Changed(sgFonts, 0);
  }
  s.FontsChanged = false;
  if (o.Colors != s.Colors || o.SystemColors != s.SystemColors) {
    o.Colors = s.Colors;
    o.SystemColors = s.SystemColors;
    s.Changed(sgColors, 0);
  }
  std::array<TColorRef, 3> syntax{o.KeyColor, o.CommentColor, o.StringColor};
  if (syntax != s.SyntaxColors) {
    o.KeyColor = s.SyntaxColors[0];
    o.CommentColor = s.SyntaxColors[1];
    o.StringColor = s.SyntaxColors[2];
    s.Changed(sgSyntax, 0);
  }
}

}  // namespace

const TDialogTemplate kColorsPage{"Farben/Schriften", {260, 214}, kItems, DS_CONTROL};

intptr_t ColorsPageProc(TWindow page, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  TSheetState* s = SheetStateOf(page);
  switch (message) {
    case WM_INITDIALOG: {
      s = BindSheetState(page, lParam);
      for (const char* name : kKindNames) {
        SendDlgItemMessage(page, idColorKind, CB_ADDSTRING, 0, reinterpret_cast<intptr_t>(name));
      }
      SendDlgItemMessage(page, idColorKind, CB_SETCURSEL, static_cast<uintptr_t>(s->ColorKind), 0);
      ListAdd(page, idSample, "");
      CheckRadioButton(page, idAreaText, idAreaBack, idAreaText);
      ShowKind(page, *s);
      return 1;
    }
    case WM_MEASUREITEM: {
      auto* m = reinterpret_cast<TMeasureItemStruct*>(lParam);
      if (m && m->CtlID == static_cast<uint32_t>(idSample)) {
        TRect r = MapDialogRect(TRect{0, 0, 0, 38});
        m->ItemHeight = r.Bottom;
      }
      return 1;
    }
    case WM_DRAWITEM: {
      const auto* d = reinterpret_cast<const TDrawItemStruct*>(lParam);
      if (!s || !d || !d->Canvas) return 1;
      if (d->CtlID == static_cast<uint32_t>(idSample)) {
        DrawSample(*s, *d);
      } else if (d->CtlID == static_cast<uint32_t>(idColorList) && d->ItemID >= 0) {
        auto color = static_cast<TColorRef>(SendDlgItemMessage(page, idColorList, CB_GETITEMDATA, static_cast<uintptr_t>(d->ItemID), 0));
        std::string name;
        SendDlgItemMessage(page, idColorList, CB_GETLBTEXT, static_cast<uintptr_t>(d->ItemID), reinterpret_cast<intptr_t>(&name));
        bool selected = (d->ItemState & ODS_SELECTED) != 0;
        d->Canvas->FillRect(d->ItemRect, GetSysColor(selected ? 13 : 5));
        int32_t h = d->ItemRect.Height();
        TRect swatch{d->ItemRect.Left + 2, d->ItemRect.Top + 2, d->ItemRect.Left + 2 + 2 * h, d->ItemRect.Bottom - 2};
        d->Canvas->FillRect(swatch, MakeRgb(0, 0, 0));
        d->Canvas->FillRect(TRect{swatch.Left + 1, swatch.Top + 1, swatch.Right - 1, swatch.Bottom - 1}, color);
        d->Canvas->SetBkMode(1);
        d->Canvas->SetTextColor(GetSysColor(selected ? 14 : 8));
        d->Canvas->TextOut(swatch.Right + 4, d->ItemRect.Top + 1, name);
      }
      return 1;
    }
    case WM_COMMAND:
      if (!s) return 0;
      switch (CommandId(wParam)) {
        case idColorKind:
          if (CommandCode(wParam) == CBN_SELCHANGE) {
            auto kind = static_cast<int32_t>(SendDlgItemMessage(page, idColorKind, CB_GETCURSEL, 0, 0));
            if (kind >= 0 && kind <= kSyntaxKind) s->ColorKind = kind;
            ShowKind(page, *s);
          }
          return 1;
        case idSystemColors:
          s->SystemColors = Checked(page, idSystemColors);
          ShowKind(page, *s);
          PageChanged(page);
          return 1;
        case idAreaText:
        case idAreaHighlight:
        case idAreaBack:
          FillColorList(page, *CurrentColor(*s, Area(page)));
          return 1;
        case idColorList:
          if (CommandCode(wParam) == CBN_SELCHANGE) {
            auto index = SendDlgItemMessage(page, idColorList, CB_GETCURSEL, 0, 0);
            if (index >= 0) {
              *CurrentColor(*s, Area(page)) = static_cast<TColorRef>(SendDlgItemMessage(page, idColorList, CB_GETITEMDATA, static_cast<uintptr_t>(index), 0));
              RefreshSample(page);
              PageChanged(page);
            }
          }
          return 1;
        case idOtherColor:
          ChooseOtherColor(page, *s);
          return 1;
        case idChangeFont:
          ChangeFont(page, *s);
          return 1;
        default:
          return 0;
      }
    case WM_NOTIFY:
      if (SheetNotification(lParam) == PSN_APPLY) {
        if (s) Apply(*s);
        return PageAnswer(page, PSNRET_NOERROR);
      }
      return 0;
    default:
      return 0;
  }
}
