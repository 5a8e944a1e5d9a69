// Layout tables of the find dialogs (dialog units).
#include "editor/find/FindDialogs.h"

#include <array>

#include "platform/ui/ComboBox.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Edit.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/ListView.h"

using namespace platform;

namespace {

constexpr uint32_t kTab = WS_VISIBLE | WS_TABSTOP;
constexpr uint32_t kLabel = WS_VISIBLE | SS_LEFTNOWORDWRAP;
constexpr uint32_t kGroup = WS_VISIBLE | BS_GROUPBOX;
constexpr uint32_t kCheck = kTab | BS_AUTOCHECKBOX;
constexpr uint32_t kHistory = kTab | WS_GROUP | CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL;

constexpr std::array kFindItems{
    TDialogItem{kStaticClass, "&Suchen nach:", kLabel, {7, 9, 62, 19}, idcSearchLabel},
    TDialogItem{kComboBoxClass, "", kHistory, {64, 7, 208, 100}, idcSearchText},
    TDialogItem{kButtonClass, "Optionen", kGroup, {7, 26, 208, 90}, -1},
    TDialogItem{kButtonClass, "gr&oß/klein unterscheiden", kCheck | WS_GROUP, {13, 38, 123, 48}, idcCase},
    TDialogItem{kButtonClass, "nur ganze &Wörter", kCheck, {13, 50, 123, 60}, idcWholeWords},
    TDialogItem{kButtonClass, "&reguläre Ausdrücke", kCheck, {13, 62, 123, 72}, idcRegExp},
    // Shown for hex windows only.
    TDialogItem{kButtonClass, "Eingabe he&xadezimal", WS_TABSTOP | BS_AUTOCHECKBOX, {13, 74, 123, 84}, idcHexInput},
    TDialogItem{kButtonClass, "ab &Cursor", kCheck, {128, 38, 202, 48}, idcFromCursor},
    TDialogItem{kButtonClass, "&markierter Text", kCheck, {128, 50, 202, 60}, idcSelectionOnly},
    TDialogItem{kButtonClass, "rüc&kwärts", kCheck, {128, 62, 202, 72}, idcBackward},
    TDialogItem{kButtonClass, "OK", kTab | WS_GROUP | BS_DEFPUSHBUTTON, {216, 7, 266, 21}, IDOK},
    TDialogItem{kButtonClass, "Abbrechen", kTab | BS_PUSHBUTTON, {216, 25, 266, 39}, IDCANCEL},
};

constexpr std::array kReplaceItems{
    TDialogItem{kStaticClass, "&Suchen nach:", kLabel, {7, 9, 62, 19}, idcSearchLabel},
    TDialogItem{kComboBoxClass, "", kHistory, {64, 7, 208, 100}, idcSearchText},
    TDialogItem{kStaticClass, "&Ersetzen durch:", kLabel, {7, 27, 62, 37}, idcReplaceLabel},
    TDialogItem{kComboBoxClass, "", kHistory, {64, 25, 208, 118}, idcReplaceText},
    TDialogItem{kButtonClass, "Optionen", kGroup, {7, 44, 208, 122}, -1},
    TDialogItem{kButtonClass, "gr&oß/klein unterscheiden", kCheck | WS_GROUP, {13, 56, 123, 66}, idcCase},
    TDialogItem{kButtonClass, "nur ganze &Wörter", kCheck, {13, 68, 123, 78}, idcWholeWords},
    TDialogItem{kButtonClass, "&reguläre Ausdrücke", kCheck, {13, 80, 123, 90}, idcRegExp},
    TDialogItem{kButtonClass, "Eingabe he&xadezimal", WS_TABSTOP | BS_AUTOCHECKBOX, {13, 92, 123, 102}, idcHexInput},
    TDialogItem{kButtonClass, "ab &Cursor", kCheck, {128, 56, 202, 66}, idcFromCursor},
    TDialogItem{kButtonClass, "nur &markierter Text", kCheck, {128, 68, 202, 78}, idcSelectionOnly},
    TDialogItem{kButtonClass, "rüc&kwärts", kCheck, {128, 80, 202, 90}, idcBackward},
    TDialogItem{kButtonClass, "Ersetzen &bestätigen", kCheck, {128, 92, 202, 102}, idcConfirm},
    TDialogItem{kButtonClass, "&alle Dokumente !", kCheck, {128, 104, 202, 114}, idcAllDocuments},
    TDialogItem{kButtonClass, "OK", kTab | WS_GROUP | BS_DEFPUSHBUTTON, {216, 7, 266, 21}, IDOK},
    TDialogItem{kButtonClass, "Abbrechen", kTab | BS_PUSHBUTTON, {216, 25, 266, 39}, IDCANCEL},
};

constexpr std::array kMultiReplaceItems{
    TDialogItem{kStaticClass, "&Gruppen:", kLabel, {7, 7, 90, 17}, -1},
    TDialogItem{kListBoxClass, "", kTab | WS_GROUP | LBS_NOTIFY | WS_VSCROLL | WS_BORDER, {7, 18, 90, 112}, idcGroups},
    TDialogItem{kStaticClass, "&Paare:", kLabel, {98, 7, 200, 17}, -1},
    TDialogItem{kListViewClass, "", kTab | LVS_REPORT | LVS_SINGLESEL | LVS_NOSORTHEADER | WS_BORDER, {98, 18, 300, 112}, idcPairs},
    TDialogItem{kButtonClass, "Optionen", kGroup, {7, 116, 300, 160}, -1},
    TDialogItem{kButtonClass, "gr&oß/klein unterscheiden", kCheck | WS_GROUP, {13, 128, 118, 138}, idcCase},
    TDialogItem{kButtonClass, "nur ganze &Wörter", kCheck, {13, 140, 118, 150}, idcWholeWords},
    TDialogItem{kButtonClass, "&reguläre Ausdrücke", kCheck, {122, 128, 210, 138}, idcRegExp},
    TDialogItem{kButtonClass, "ab &Cursor", kCheck, {122, 140, 210, 150}, idcFromCursor},
    TDialogItem{kButtonClass, "nur &markierter Text", kCheck, {214, 128, 296, 138}, idcSelectionOnly},
    TDialogItem{kButtonClass, "Ersetzen &bestätigen", kCheck, {214, 140, 296, 150}, idcConfirm},
    TDialogItem{kButtonClass, "OK", kTab | WS_GROUP | BS_DEFPUSHBUTTON, {308, 7, 362, 21}, IDOK},
    TDialogItem{kButtonClass, "Abbrechen", kTab | BS_PUSHBUTTON, {308, 25, 362, 39}, IDCANCEL},
    TDialogItem{kButtonClass, "Ei&nrichten...", kTab | BS_PUSHBUTTON, {308, 43, 362, 57}, idcSetUp},
};

constexpr std::array kConfirmItems{
    TDialogItem{kStaticClass, "Diese Textstelle ersetzen?", kLabel, {10, 10, 190, 20}, -1},
    TDialogItem{kButtonClass, "&Ja", kTab | WS_GROUP | BS_DEFPUSHBUTTON, {10, 30, 52, 44}, idcYes},
    TDialogItem{kButtonClass, "&Nein", kTab | BS_PUSHBUTTON, {56, 30, 98, 44}, idcNo},
    TDialogItem{kButtonClass, "&Alles", kTab | BS_PUSHBUTTON, {102, 30, 144, 44}, idcAll},
    TDialogItem{kButtonClass, "Abbrechen", kTab | BS_PUSHBUTTON, {148, 30, 196, 44}, IDCANCEL},
};

constexpr std::array kGotoItems{
    TDialogItem{kStaticClass, "Springen an &Zeile Nr.:", kLabel, {7, 9, 92, 19}, idcGotoLabel},
    TDialogItem{kEditClass, "", kTab | WS_GROUP | WS_BORDER | ES_AUTOHSCROLL, {94, 7, 154, 19}, idcGotoLine},
    TDialogItem{kStaticClass, "Bereich:", kLabel, {7, 25, 92, 35}, idcRangeLabel},
    TDialogItem{kStaticClass, "", kLabel | SS_NOPREFIX, {94, 25, 170, 35}, idcRange},
    TDialogItem{kStaticClass, "&Spalte:", kLabel, {7, 41, 92, 51}, idcColumnLabel},
    TDialogItem{kEditClass, "", kTab | WS_GROUP | WS_BORDER | ES_AUTOHSCROLL, {94, 39, 154, 51}, idcGotoColumn},
    TDialogItem{kButtonClass, "&Markierung erweitern", kCheck | WS_GROUP, {7, 57, 154, 67}, idcExtend},
    TDialogItem{kButtonClass, "OK", kTab | WS_GROUP | BS_DEFPUSHBUTTON, {176, 7, 226, 21}, IDOK},
    TDialogItem{kButtonClass, "Abbrechen", kTab | BS_PUSHBUTTON, {176, 25, 226, 39}, IDCANCEL},
};

}  // namespace

const TDialogTemplate kFindDialog{"Suchen", {274, 97}, kFindItems, WS_VISIBLE | DS_MODALFRAME};
const TDialogTemplate kReplaceDialog{"Ersetzen", {274, 129}, kReplaceItems,
                                     WS_VISIBLE | DS_MODALFRAME};
const TDialogTemplate kMultiReplaceDialog{"Mehrfaches Ersetzen", {370, 167}, kMultiReplaceItems,
                                          WS_VISIBLE | DS_MODALFRAME};
const TDialogTemplate kConfirmDialog{"Ersetzen", {206, 52}, kConfirmItems, WS_VISIBLE};
const TDialogTemplate kGotoDialog{"Gehe zu", {234, 74}, kGotoItems, WS_VISIBLE | DS_MODALFRAME};
