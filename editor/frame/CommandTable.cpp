// The command table: hints (string id = command), tool tips (string id = command + 500) and
// the availability rule of every command.
#include "editor/frame/CommandTable.h"

#include <algorithm>
#include <array>

namespace {

using A = TAvail;
constexpr bool Y = true;   // carried out by this build
constexpr bool N = false;  // greyed: its window or dialog comes later

constexpr TCommandInfo kCommands[] = {
    {112, 112, A::Always, Y, "Neue (leere) Datei öffnen", "Neue Datei"},
    {113, 113, A::Always, Y, "Datei auswählen und öffnen", "Datei öffnen"},
    {114, 114, A::SaveRule, Y, "Datei speichern", "Datei speichern"},
    {115, 115, A::AnyButCompare, Y, "Datei unter neuem Namen speichern", ""},
    {116, 116, A::Any, Y, "Alle geöffneten Dateien speichern", ""},
    {117, 117, A::Any, Y, "Datei schließen", "Datei schließen"},
    {118, 118, A::Any, Y, "Alle Dateien schließen", ""},
    {119, 119, A::Always, Y, "Dateien gruppieren oder Dateigruppen öffnen", ""},
    {120, 120, A::Always, Y, "Zuletzt geöffnete Dateien anzeigen und ggf. öffnen", ""},
    {121, 121, A::Always, Y, "Häufig benutzte Dateien anzeigen, festlegen oder öffnen", ""},
    {122, 122, A::AnyButCompare, Y, "Datei oder -bereiche drucken", "Datei drucken"},
    {123, 123, A::AnyButCompare, Y, "Zu druckende Seiten als Vorschau anzeigen", "Seitenansicht"},
    {124, 124, A::Always, Y, "Seitenformatierung für das Drucken", ""},
    {125, 125, A::Mail, Y, "Datei im Texteditor als E-Mail versenden", ""},
    {126, 126, A::Always, N, "Kein E-Mail-Programm installiert !", ""},
    {127, 127, A::Always, Y, "Programm beenden !", ""},
    {128, 131, A::Always, Y, "Diese Datei öffnen", ""},
    {144, 144, A::CanUndo, Y, "Letzten Bearbeitungsschritt widerrufen", "Rückgängig"},
    {145, 145, A::CanRedo, Y, "Letzte 'Rückgängig'-Operation widerrufen", "Widerrufen"},
    {146, 146, A::CanCut, Y, "Markierten Text löschen und zuvor in Zwischenablage kopieren",
     "Ausschneiden"},
    {147, 147, A::CanCopy, Y, "Markierten Text in Zwischenablage kopieren", "Kopieren"},
    {148, 148, A::CanPaste, Y, "Text aus Zwischenablage einfügen", "Einfügen"},
    {149, 149, A::CanDelete, Y, "Markierten Text löschen", "Löschen"},
    {150, 150, A::SelectAll, Y, "Text der gesamten Datei markieren", ""},
    {151, 151, A::ColumnBlock, Y, "Modus für spaltenweises Markieren ein-/ausschalten",
     "Spaltenblock"},
    {152, 152, A::Results, Y,
     "Suchergebnisse: Umschalten zwischen Balken-Markierung und Textcursor", ""},
    {153, 153, A::TextWritable, N, "Zeilen formatieren", ""},
    {154, 154, A::SelWritable, N, "Markierte Zeilen sortieren", ""},
    {155, 155, A::Hex, Y, "Hex-Editor: Erweiterten Bearbeitungs-Modus ein-/ausschalten", ""},
    {156, 156, A::HexExtended, Y, "Hex-Editor: Bestimmte Anzahl Zeichen einfügen", ""},
    {157, 157, A::Results, Y, "Fundstellen: Markierte Datei in den Editor laden", ""},
    {158, 158, A::Results, Y, "Fundstellen: Mit markierter Datei verknüpfte Anwendung starten",
     ""},
    {159, 159, A::TextOrResults, Y, "Erweiterte Zwischenablage verwalten", ""},
    {160, 160, A::TextWritable, Y, "Datum und Uhrzeit an der Cursorposition einfügen", ""},
    {161, 161, A::TextWritable, Y, "Das aktuelle Datum an der Cursorposition einfügen", ""},
    {162, 162, A::TextWritable, Y, "Die aktuelle Uhrzeit an der Cursorposition einfügen", ""},
    {163, 163, A::TextWritable, Y,
     "Ein Seitenvorschub-Zeichen am Beginn der aktuellen Zeile einfügen", ""},
    {164, 164, A::TextWritable, Y, "Andere Datei auswählen und an Cursorposition einfügen", ""},
    {165, 165, A::SelWritable, Y, "Markierten Block um ein Zeichen nach rechts verschieben", ""},
    {166, 166, A::SelWritable, Y, "Markierten Block um ein Zeichen nach links verschieben", ""},
    {168, 168, A::AnySelection, Y, "Markierten Block in eine Datei speichern", ""},
    {169, 169, A::SelWritable, Y, "Alle Zeichen im markierten Block in Großbuchstaben umwandeln",
     ""},
    {170, 170, A::SelWritable, Y, "Alle Zeichen im markierten Block in Kleinbuchstaben umwandeln",
     ""},
    {171, 171, A::SelWritable, Y, "Groß- und Kleinschreibung im markierten Block vertauschen", ""},
    {172, 172, A::SelWritable, Y,
     "Anfangsbuchstaben aller Wörter im markierten Block in Großbuchstaben umwandeln", ""},
    {173, 173, A::TabsToSpaces, Y,
     "Tabulatoren in die entsprechende Anzahl Leerzeichen umwandeln", ""},
    {174, 174, A::SelWritable, Y,
     "Markierten Bereich vom Windows in den DOS-Zeichensatz konvertieren", ""},
    {175, 175, A::SelWritable, Y,
     "Markierten Bereich vom DOS in den Windows-Zeichensatz konvertieren", ""},
    {176, 176, A::AnyButCompare, Y, "Textstelle suchen", "Suchen"},
    {177, 177, A::FindNext, Y, "Suche nach Textstelle fortsetzen", "Weitersuchen"},
    {178, 178, A::Replace, Y, "Textstelle suchen und durch neue ersetzen", "Ersetzen"},
    {179, 179, A::TextWritable, Y, "Mehrere Textstellen gleichzeitig suchen und ersetzen", ""},
    {180, 180, A::AnyButCompare, Y, "An bestimmte Textzeile positionieren", "Gehe zu"},
    {181, 181, A::Any, Y, "An den Dateianfang positionieren", ""},
    {182, 182, A::Any, Y, "An das Dateiende positionieren", ""},
    {183, 183, A::NoModeless, Y,
     "Dateien oder Textstellen über mehrere Verzeichnisse/Datenträger suchen", "Globale Suche"},
    {184, 184, A::Always, Y, "Zwei Textdateien vergleichen", ""},
    {185, 185, A::SelWritable, Y, "Alle Leerzeilen im markierten Bereich entfernen", ""},
    {186, 186, A::FindNext, Y, "", ""},
    {192, 192, A::Text, Y, "Texteditor: Zeilennummern anzeigen/verbergen", ""},
    {193, 193, A::Text, Y, "Texteditor: Leerzeichen, Tabulatoren, Zeilenenden zeigen/verbergen",
     "Nichtdruckbare Zeichen"},
    {195, 195, A::Hex, Y,
     "Hexeditor: Keine Hex-Codes sondern nur die entsprechenden Zeichen darstellen", ""},
    {196, 196, A::Hex, Y,
     "Hexeditor: Alle Zeichen einschl. der Codes > 127 im rechten Abschnitt darstellen", ""},
    {197, 197, A::Any, Y, "Schrift und Zeichenkonvertierung für ASCII-Zeichensatz ein-/ausschalten",
     "DOS-Modus"},
    {198, 198, A::Any, Y, "Systemschrift für alle Fenster aktivieren/deaktivieren", ""},
    {199, 199, A::Always, Y, "Schrift für aktuellen Fenstertyp ändern", ""},
    {200, 200, A::Always, Y, "Farben und Schrift für alle Fenster ändern", ""},
    {201, 201, A::Always, Y, "Programmeinstellungen anzeigen und verändern",
     "Programm-Einstellungen"},
    {202, 202, A::TextWithFile, Y, "Texteditor: Aktuelle Datei in den Hexadezimal-Editor laden",
     "Hex-Modus"},
    {203, 203, A::Hex, Y, "Hexeditor: Aktuelle Datei in den Text-Editor laden", "Text-Modus"},
    {204, 204, A::ReadOnlyToggle, Y, "Schaltet für aktuelle Datei Schreibschutz-Modus ein und aus",
     ""},
    {208, 208, A::Always, Y, "Vom Programm aus aufrufbare Anwendungen einrichten", ""},
    {209, 223, A::Always, Y, "Diese Anwendung starten", ""},
    {224, 224, A::Any, Y, "Dateifenster untereinander anordnen", "Untereinander"},
    {225, 225, A::Any, Y, "Dateifenster nebeneinander anordnen", "Nebeneinander"},
    {226, 226, A::Any, Y, "Dateifenster überlappend anordnen", "Überlappend"},
    {227, 227, A::Any, Y, "Symbole aller minimierter Dateifenster anordnen", ""},
    {228, 228, A::Any, Y, "Alle Dateifenster minimieren (zum Symbol verkleinern)", ""},
    {230, 230, A::Any, Y, "Einzelfenster-Modus ein-/ausschalten", "Einzelfenster-Modus"},
    {240, 240, A::Always, Y, "Inhaltsübersicht der Hilfestellung aufrufen", ""},
    {242, 242, A::Always, Y, "Hilfe zum Windows-Hilfesystem", ""},
    {243, 243, A::Always, Y, "Spezielle Hilfedatei einrichten", ""},
    {244, 244, A::Always, Y, "Informationen zum Programm anzeigen", ""},
    {245, 245, A::Always, Y, "Spezielle Hilfedatei mit Suchbegriff an Cursorposition aufrufen",
     ""},
    {250, 259, A::BookmarkSet, Y, "Zu Textmarke Nr. ... springen", ""},
    {260, 269, A::TextOrResults, Y, "Textmarke Nr. ... setzen/löschen", ""},
    {280, 289, A::Always, Y, "", ""},
    {290, 299, A::Always, Y, "", ""},
    {380, 389, A::Always, Y, "Dieses Fenster aktivieren", ""},
    {904, 904, A::Compare, Y, "Zum nächsten Unterschied positionieren", ""},
    {905, 905, A::Compare, Y, "Zum vorherigen Unterschied positionieren", ""},
    {906, 906, A::Compare, Y,
     "Verglichene Dateien (ggf.) öffnen und an erste im Vergleichsfenster sichtbare Zeile "
     "positionieren",
     ""},
    {907, 907, A::Compare, Y, "Spezifizierte Dateien erneut vergleichen", ""},
    {908, 908, A::Compare, Y, "Beide Dateien übereinander oder nebeneinander darstellen", ""},
    {909, 909, A::Compare, Y, "Nur unterschiedliche Zeilen oder gesamte Dateien anzeigen", ""},
};

constexpr bool Ordered() {
  for (size_t i = 0; i < std::size(kCommands); ++i) {
    if (kCommands[i].Last < kCommands[i].Id) return false;
    if (i && kCommands[i].Id <= kCommands[i - 1].Last) return false;
  }
  return true;
}
static_assert(Ordered(), "commands must be sorted by id without overlaps");

}  // namespace

std::span<const TCommandInfo> CommandTable() { return kCommands; }

const TCommandInfo* FindCommand(uint16_t id) {
  auto it = std::upper_bound(std::begin(kCommands), std::end(kCommands), id,
                             [](uint16_t v, const TCommandInfo& c) { return v < c.Id; });
  if (it == std::begin(kCommands)) return nullptr;
  --it;
  return id <= it->Last ? &*it : nullptr;
}

std::string_view CommandHint(uint16_t id, bool mailAvailable) {
  if (id == 125 && !mailAvailable) id = 126;
  const TCommandInfo* info = FindCommand(id);
  return info ? info->Hint : std::string_view{};
}

std::string_view CommandToolTip(uint16_t id) {
  const TCommandInfo* info = FindCommand(id);
  return info ? info->ToolTip : std::string_view{};
}
