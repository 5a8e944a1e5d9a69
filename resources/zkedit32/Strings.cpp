// The texts are kept in UTF-8; they are converted where they enter a document.
#include "resources/zkedit32/Strings.h"

#include <algorithm>
#include <array>

namespace {

struct TStringEntry {
  uint32_t Id;
  std::string_view Text;
};

// Sorted by id.
constexpr std::array kStrings{
    TStringEntry{20, "Alle Dateien|*.*"},
    TStringEntry{21, "Programme|*.Exe;*.Com;*.Bat;*.Pif"},
    TStringEntry{22, "Hilfedateien (*.hlp)|*.hlp"},
    TStringEntry{32, "Die Datei  \"%s\"\nwurde verändert.\n\nÄnderungen jetzt speichern ?"},
    TStringEntry{33, "Die Initialisierungsdatei %s\nkann nicht %s werden!"},
    TStringEntry{34, "gelesen"},
    TStringEntry{35, "geschrieben"},
    TStringEntry{41, "Neue Anwendung"},
    TStringEntry{42, "Neue Dateigruppe"},
    TStringEntry{62, "Programmdatei auswählen"},
    TStringEntry{70, "Programm-Einstellungen"},
    TStringEntry{80, "Windows/DOS"},
    TStringEntry{81, "Unix"},
    TStringEntry{82, "Macintosh"},
    TStringEntry{144, "Letzten Bearbeitungsschritt widerrufen"},
    TStringEntry{145, "Letzte 'Rückgängig'-Operation widerrufen"},
    TStringEntry{320, "Kann Datei nicht öffnen/lesen:\n\n"},
    TStringEntry{321, "Kann Datei nicht speichern:\n\n"},
    TStringEntry{323, "Datei ist schreibgeschützt -\nbitte anderen Namen auswählen!"},
    TStringEntry{325, "Kann Datei nicht einfügen:\n"},
    TStringEntry{326,
                 "Datei ist wahrscheinlich keine Textdatei. Sie enthält\nNull-Bytes oder Zeilen "
                 "sind zu lang."},
    TStringEntry{327, "Für diese Operation steht nicht genügend\nArbeitsspeicher zu Verfügung!"},
    TStringEntry{340, "Das Programm\n%s\nkann nicht ausgeführt werden!"},
    TStringEntry{644, "Rückgängig"},
    TStringEntry{645, "Widerrufen"},
};

constexpr bool Sorted() {
  for (size_t i = 1; i < kStrings.size(); ++i)
    if (kStrings[i - 1].Id >= kStrings[i].Id) return false;
  return true;
}
static_assert(Sorted(), "string table must be sorted by id");

}  // namespace

std::string_view LoadResString(uint32_t id) {
  auto at = std::lower_bound(kStrings.begin(), kStrings.end(), id,
                             [](const TStringEntry& e, uint32_t key) { return e.Id < key; });
  return at != kStrings.end() && at->Id == id ? at->Text : std::string_view();
}
