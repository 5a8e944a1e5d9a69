// The texts are kept in UTF-8; they are converted where they enter a document.
#include "resources/zkedit32/Strings.h"

#include <array>

#include "resources/StringTable.h"

namespace {

// Sorted by id.
constexpr std::array kStrings{
    TStringEntry{0, "Z&K Quellwerk"},
    TStringEntry{2, "Neue Datei"},
    TStringEntry{8, "geändert !"},
    TStringEntry{16, "EDIT"},
    TStringEntry{17, "LIST"},
    TStringEntry{20, "Alle Dateien|*.*"},
    TStringEntry{21, "Programme|*.Exe;*.Com;*.Bat;*.Pif"},
    TStringEntry{22, "Hilfedateien (*.hlp)|*.hlp"},
    TStringEntry{23, "Keine Datei in Bearbeitung!"},
    TStringEntry{24, "Dateivergleich"},
    TStringEntry{25, "Keine Unterschiede gefunden!"},
    TStringEntry{26, "%d unterschiedliche Zeile(n) gefunden"},
    TStringEntry{32, "Die Datei  \"%s\"\nwurde verändert.\n\nÄnderungen jetzt speichern ?"},
    TStringEntry{33, "Die Initialisierungsdatei %s\nkann nicht %s werden!"},
    TStringEntry{34, "gelesen"},
    TStringEntry{35, "geschrieben"},
    TStringEntry{41, "Neue Anwendung"},
    TStringEntry{42, "Neue Dateigruppe"},
    TStringEntry{46, "Die aktuelle Datei muß vor Ausführung dieser Funktion gespeichert\nwerden oder alle Änderungenn werden verworfen.\n\nJetzt speichern?"},
    TStringEntry{48, "Datei öffnen"},
    TStringEntry{49, "Datei speichern"},
    TStringEntry{50, "Datei schließen"},
    TStringEntry{51, "Datei auswählen"},
    TStringEntry{52, "Verzeichnis auswählen"},
    TStringEntry{53, "Datei drucken"},
    TStringEntry{54, "Seitenansicht"},
    TStringEntry{55, "Drucker einrichten"},
    TStringEntry{60, "Zuletzt geöffnete Dateien"},
    TStringEntry{61, "Häufig bearbeitete Dateien"},
    TStringEntry{62, "Programmdatei auswählen"},
    TStringEntry{63, "Anwendung starten"},
    TStringEntry{64, "Suchen"},
    TStringEntry{65, "Ersetzen"},
    TStringEntry{66, "Globale Suche"},
    TStringEntry{67, "Datei einfügen"},
    TStringEntry{68, "Markierten Bereich speichern"},
    TStringEntry{69, "Datei geändert"},
    TStringEntry{70, "Programm-Einstellungen"},
    TStringEntry{71, "Hex-Editor"},
    TStringEntry{80, "Windows/DOS"},
    TStringEntry{81, "Unix"},
    TStringEntry{82, "Macintosh"},
    TStringEntry{144, "Letzten Bearbeitungsschritt widerrufen"},
    TStringEntry{145, "Letzte 'Rückgängig'-Operation widerrufen"},
    TStringEntry{320, "Kann Datei nicht öffnen/lesen:\n\n"},
    TStringEntry{321, "Kann Datei nicht speichern:\n\n"},
    TStringEntry{322, "Markierter Bereich kann nicht in dieselbe Datei\ngespeichert werden!"},
    TStringEntry{323, "Datei ist schreibgeschützt -\nbitte anderen Namen auswählen!"},
    TStringEntry{324, "Datum, Zeit oder Größe der Datei\n\"%s\" haben sich geändert!\n\nDatei neu laden?"},
    TStringEntry{325, "Kann Datei nicht einfügen:\n"},
    TStringEntry{326,
                 "Datei ist wahrscheinlich keine Textdatei. Sie enthält\nNull-Bytes oder Zeilen "
                 "sind zu lang."},
    TStringEntry{327, "Für diese Operation steht nicht genügend\nArbeitsspeicher zu Verfügung!"},
    TStringEntry{328, "Die Datei \"%s\"\nwurde seit dem Laden außerhalb des Editors geändert.\n\nTrotzdem überschreiben?"},
    TStringEntry{329, "Die ESCAPE-Taste bricht den Vorgang ab!"},
    TStringEntry{330, "Unterschiedliche Längen von Such- und Ersetzungstext!"},
    TStringEntry{331, "Die Datei \"%s\"\nist bereits geöffnet.\nWählen Sie einen anderen Namen!"},
    TStringEntry{336, "Suche nach/in Dateien - bitte warten ..."},
    TStringEntry{340, "Das Programm\n%s\nkann nicht ausgeführt werden!"},
    TStringEntry{341, "Das Programm, mit dem die Datei\n\"%s\" geöffnet werden soll, kann nicht gestartet werden!"},
    TStringEntry{342, "Es ist kein Programm zum Starten der Datei\n\"%s\"\nregistriert!"},
    TStringEntry{343, "Textstelle NICHT gefunden!"},
    TStringEntry{344, "Keine weitere Textstelle gefunden!"},
    TStringEntry{345, "Suchen und Ersetzen beendet!"},
    TStringEntry{347, "Fehlerhafter regulärer Ausdruck!"},
    TStringEntry{348, "Kann Fenster nicht erzeugen!"},
    TStringEntry{349, "Funktion kann nicht ausgeführt werden,\nDatei \"ZKPrint.DLL\" nicht gefunden!"},
    TStringEntry{644, "Rückgängig"},
    TStringEntry{645, "Widerrufen"},
};

static_assert(StringTableSorted(kStrings), "string table must be sorted by id");

}  // namespace

std::string_view LoadResString(uint32_t id) {
  return FindStringEntry(kStrings, id);
}
