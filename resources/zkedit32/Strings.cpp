// The texts are kept in UTF-8; they are converted where they enter a document.
#include "resources/zkedit32/Strings.h"

#include <array>

#include "resources/StringTable.h"

namespace {

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

static_assert(StringTableSorted(kStrings), "string table must be sorted by id");

}  // namespace

std::string_view LoadResString(uint32_t id) {
  return FindStringEntry(kStrings, id);
}
