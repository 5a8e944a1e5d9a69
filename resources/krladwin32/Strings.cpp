// The loader's texts, in UTF-8 and sorted by id.
#include "resources/krladwin32/Strings.h"

#include <array>

#include "resources/StringTable.h"

namespace krlad {
namespace {

constexpr std::array kStrings{
    TStringEntry{1, "::KRLADMELDUNGEN"},
    TStringEntry{2, "%lu Baud"},
    TStringEntry{3, "Flash wird gelöscht ..."},
    TStringEntry{4, "Daten werden übertragen ... "},
    TStringEntry{5, "Verbindung wird aufgebaut ..."},
    TStringEntry{6, "Gerät jetzt aus- und wieder einschalten ..."},
    TStringEntry{7, "Warten auf Gerätaktivität..."},
    TStringEntry{8, "Daten werden übertragen ... (Fehler:%i)"},
    TStringEntry{9, "RAVAR wird ausgeschaltet ..."},
    TStringEntry{10, "Kommando wird ausgeführt..."},
    TStringEntry{20, "::MESSAGEHEADER"},
    TStringEntry{21, "Warnung"},
    TStringEntry{22, "Meldung"},
    TStringEntry{23, "Fehler"},
    TStringEntry{100, "::KRLADAKTION"},
    TStringEntry{101, "\"%s\" Datensatz wird geladen ."},
    TStringEntry{102, "\"%s\" Treiber wird geladen ."},
    TStringEntry{103, "Verbindung Aufbau "},
    TStringEntry{104, "\"%s\" Treiber wird in Gerät ohne Treiber geladen."},
    TStringEntry{105, "Nach Methode %i."},
    TStringEntry{106, "\"%s\" Datensatz wird gelesen ."},
    TStringEntry{107, "\"%s\" Treiber wird gelesen ."},
    TStringEntry{108, "\"%s\" Rezept wird gelesen ."},
    TStringEntry{109, "\"%s\" Rezept wird geladen ."},
    TStringEntry{110, "\"%s\" VEL Datensatz wird geladen ."},
    TStringEntry{111, "\"%s\" ASCII Texte werden geladen ."},
    TStringEntry{112, "\"%s\" Diagnosedaten wird gelesen ."},
    TStringEntry{113, "Speicher auslesen."},
    TStringEntry{114, "Videospeicher auslesen."},
    TStringEntry{115, "Software RESET wird ausgelöst."},
    TStringEntry{116, "Hardware RESET wird ausgelöst."},
    TStringEntry{117, "VEL wird gelöscht."},
    TStringEntry{118, "Hardwareausbau wird abgefragt."},
    TStringEntry{119, "Gerätstatus wird abgefragt."},
    TStringEntry{120, "Treiberinfo wird abgefragt."},
    TStringEntry{121, "VEL-Info wird abgefragt."},
    TStringEntry{300, "::HWCONFIG1"},
    TStringEntry{301, "\"RS232/RS485/RS422/TTY\" Kombi interface"},
    TStringEntry{302, "Interbus-S"},
    TStringEntry{303, "CAN,RS232/RS485/RS422/TTY"},
    TStringEntry{304, "Suconet-K1"},
    TStringEntry{305, "Suconet-K1,CAN"},
    TStringEntry{306, "MMI-Bridge"},
    TStringEntry{307, "MPI"},
    TStringEntry{308, "MPI,CAN"},
    TStringEntry{309, "CAN"},
    TStringEntry{350, "::HWCONFIG2"},
    TStringEntry{358, "Uhr und Batteriegepufferter RAM vorhanden"},
    TStringEntry{380, "::HWCFGTXT"},
    TStringEntry{381, "keine "},
    TStringEntry{382, "Anschaltungskarte: "},
    TStringEntry{1000, "::KRLADERRORS"},
    TStringEntry{1001, "Schnittstellenfehler  an COM %i  !\n (existiert nicht oder ist defekt) "},
    TStringEntry{1002, "Anwender hat abgebrochen !"},
    TStringEntry{1003, "Gerät reagiert nicht !   Wiederholen ?"},
    TStringEntry{1004, "\"%s\" File existiert nicht !"},
    TStringEntry{1005, "Datei: \"%s\" enthält keine Angabe über passenden Urlader ! Weiter ?"},
    TStringEntry{1006, "Datei: \"%s\" enthält keine Angabe über passendes Betriebssystem ! Weiter ?"},
    TStringEntry{1007, "Treiber  passt nicht zum Urlader !  Weiter ?\ngewünschter Urlader: \"%s\"\n        Angeschlossener: \"%s\""},
    TStringEntry{1008, "Datensatz passt nicht zum Treiber ! Weiter ?\ngewünschter Treiber: \"%s\"\n       im Gerät: \"%s\""},
    TStringEntry{1009, "Bei Datenübertragung sind zu viele Fehler aufgetreten !"},
    TStringEntry{1010, "Vorhandene Datei:\"%s\" \rersetzen ? "},
    TStringEntry{1011, "Gerät reagiert nicht !"},
    TStringEntry{1012, "\"%s\" File konnte nicht geöffnet werden !"},
    TStringEntry{1013, "\"%s\" ist kein gültiger VEL Datensatz !"},
    TStringEntry{1014, "\"%s\" File ist leer !"},
    TStringEntry{1020, "Parameter Fehler! Folgende Paramter sind zulässig:\r\r -n         = COMn wählen\r"},
    TStringEntry{1500, "::KRLADNAME"},
    TStringEntry{1501, "KRLad für Windows Version %s"},
};

static_assert(StringTableSorted(kStrings), "string table must be sorted by id");

constexpr bool SectionsNamed() {
  for (uint32_t section : {secMeldungen, secMessageHeader, secAktion, secHwConfig1, secHwConfig2,
                           secHwCfgTxt, secErrors, secName}) {
    bool found = false;
    for (const auto& e : kStrings)
      if (e.Id == section) found = e.Text.starts_with("::");
    if (!found) return false;
  }
  return true;
}
static_assert(SectionsNamed(), "every section starts with its name entry");

}  // namespace

std::string_view LoadResString(uint32_t id) {
  return FindStringEntry(kStrings, id);
}

uint32_t FindSection(std::string_view name) {
  for (const auto& e : kStrings)
    if (e.Text.starts_with("::") && e.Text == name) return e.Id;
  return 0;
}

}  // namespace krlad
