// Layout tables of the compilers' dialogs (dialog units).
#include "resources/velcomp/Dialogs.h"

#include <array>

#include "platform/ui/Controls.h"

using namespace platform;

namespace {

constexpr uint32_t kTab = WS_VISIBLE | WS_TABSTOP;
constexpr uint32_t kLabel = WS_VISIBLE | SS_LEFTNOWORDWRAP;
constexpr uint32_t kGroup = WS_VISIBLE | BS_GROUPBOX;

// The modem controls are shown but stay disabled: dialling is not offered.
constexpr std::array kPortItems{
    TDialogItem{kButtonClass, "Sc&hnittstelle", kGroup, {6, 4, 120, 70}, -1},
    TDialogItem{kButtonClass, "COM&1", kTab | WS_GROUP | BS_AUTORADIOBUTTON, {14, 16, 60, 26}, idcCom1},
    TDialogItem{kButtonClass, "COM&2", WS_VISIBLE | BS_AUTORADIOBUTTON, {14, 28, 60, 38}, idcCom1 + 1},
    TDialogItem{kButtonClass, "COM&3", WS_VISIBLE | BS_AUTORADIOBUTTON, {14, 40, 60, 50}, idcCom1 + 2},
    TDialogItem{kButtonClass, "COM&4", WS_VISIBLE | BS_AUTORADIOBUTTON, {14, 52, 60, 62}, idcCom4},
    TDialogItem{kButtonClass, "Mo&dem", kTab | WS_GROUP | WS_DISABLED | BS_AUTOCHECKBOX,
                {64, 16, 116, 26}, idcModem},
    TDialogItem{kButtonClass, "&Einrichten...", kTab | WS_DISABLED | BS_PUSHBUTTON,
                {64, 30, 116, 44}, idcModemSetup},
    TDialogItem{kStaticClass, "&An:", kLabel | WS_DISABLED, {6, 78, 24, 88}, idcModemLabel},
    TDialogItem{kComboBoxClass, "", kTab | WS_DISABLED | CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL,
                {26, 76, 120, 130}, idcModemNumber},
    TDialogItem{kButtonClass, "Compilieren&&&Übertragen", kTab | WS_GROUP | BS_DEFPUSHBUTTON,
                {128, 6, 224, 20}, idcCompileTransfer},
    TDialogItem{kButtonClass, "&Compilieren", kTab | BS_PUSHBUTTON, {128, 24, 224, 38}, idcCompile},
    TDialogItem{kButtonClass, "&Schließen", kTab | BS_PUSHBUTTON, {128, 42, 224, 56}, idcClose},
    TDialogItem{kButtonClass, "Abbruch", kTab | BS_PUSHBUTTON, {128, 60, 224, 74}, idcPortCancel},
};

constexpr std::array kStatusItems{
    TDialogItem{kButtonClass, "Status", kGroup, {6, 4, 194, 34}, -1},
    TDialogItem{kProgressClass, "", WS_VISIBLE, {12, 16, 150, 28}, idcGauge},
    TDialogItem{kStaticClass, "0%", WS_VISIBLE | SS_RIGHT | SS_NOPREFIX, {154, 18, 188, 28}, idcGaugeText},
    TDialogItem{kButtonClass, "Statistik", kGroup, {6, 38, 194, 66}, -1},
    TDialogItem{kStaticClass, "Fehler:", kLabel, {12, 50, 46, 60}, -1},
    TDialogItem{kStaticClass, "0", kLabel, {48, 50, 90, 60}, idcErrors},
    TDialogItem{kStaticClass, "Warnungen:", kLabel, {96, 50, 140, 60}, -1},
    TDialogItem{kStaticClass, "0", kLabel, {142, 50, 188, 60}, idcWarnings},
    TDialogItem{kButtonClass, "Info", kGroup, {6, 70, 194, 94}, -1},
    TDialogItem{kStaticClass, "", kLabel | SS_NOPREFIX, {12, 80, 188, 90}, idcInfo},
    TDialogItem{kButtonClass, "Abbruch", kTab | BS_DEFPUSHBUTTON, {70, 100, 130, 114}, idcStatusCancel},
};

}  // namespace

const TDialogTemplate kPortDialog{"VEL Compilieren & Übertragen", {230, 136}, kPortItems,
                                  WS_VISIBLE | DS_MODALFRAME};
const TDialogTemplate kStatusDialog{"VEL Compilerstatus", {200, 120}, kStatusItems, WS_VISIBLE};
