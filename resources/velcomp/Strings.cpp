// The texts are kept in UTF-8; the compiler converts them where they enter its messages.
#include "resources/velcomp/Strings.h"

#include <array>

#include "resources/StringTable.h"

namespace {

constexpr std::string_view kCombination = "%s Parameterkombination ist unzulässig!";
constexpr std::string_view kArrayUndefined = "%s Das Array wurde nicht definiert!";
constexpr std::string_view kNotWithDriver =
    "%s Das Befehl kann nicht mit dem Treiber ausgefürt werden!";

// Sorted by id.
constexpr std::array kStrings{
    TStringEntry{20, "::MESSAGEHEADERS"},
    TStringEntry{21, "Warnung :"},
    TStringEntry{22, "Meldung"},
    TStringEntry{23, "Fehler :"},
    TStringEntry{100, "::VELCOMP"},
    TStringEntry{102, "Datei \"%s\" konnte nicht geöffnet werden!"},
    TStringEntry{103, "Datei \"%s\" hat Schreibfehler!"},
    TStringEntry{104, "Datei \"%s\" hat Lesefehler!"},
    TStringEntry{105, "%s Parameter syntax Fehler!"},
    TStringEntry{106, "Blockbilanz Fehler, die Anzahl von '{' und '}' ist nicht gleich!"},
    TStringEntry{107, "Marke \"%s\" hat kein Wert!"},
    TStringEntry{108, "%s für die Marke ist die Type unzulässig!"},
    TStringEntry{109, "%s die Marke wurde schon definiert!"},
    TStringEntry{110, "Offener Block !"},
    TStringEntry{111, "%s Blockende unerwartet!"},
    TStringEntry{112, "Speicher Fehler! (FATAL ERROR)"},
    TStringEntry{113, "Compiler passt nicht zur Definition!"},
    TStringEntry{114, "Treiber passt nicht zur Definition!"},
    TStringEntry{115, "%s \"%s\" undefnierter Befehl!"},
    TStringEntry{116, "%s Der Befehl ist in unzlässigem Bereich!"},
    TStringEntry{117, "%s Unzulässige Parametertype für den Befehl!"},
    TStringEntry{118, "%s Unzulässige Parameterbereich für den Befehl!"},
    TStringEntry{119, "%s Parameter ist ausserhalb der Grenzen!"},
    TStringEntry{120, "Fehlerhaftes Macro in CFG File!"},
    TStringEntry{121, "Programmfehler %s,%s !"},
    TStringEntry{122, "%s Offset ausserhalb der Grenzen!"},
    TStringEntry{123, "%s Bit ausserhalb der Grenzen!"},
    TStringEntry{124, "%s Unzulässige Anzahl von Parametern!"},
    TStringEntry{125, kCombination},
    TStringEntry{126, "Fehlender Sourcecode!"},
    TStringEntry{127, "Fehlender Config!"},
    TStringEntry{128, "Fehlender Treiber!"},
    TStringEntry{133, "%s Auserhalb der Grenzen adressiert!"},
    TStringEntry{134, "Interner Fehler 34!"},
    TStringEntry{150, "%s Fehler 50"},
    TStringEntry{151, kCombination},
    TStringEntry{152, kCombination},
    TStringEntry{153, "Marke \"%s\" wurde noch nicht definiert!"},
    TStringEntry{155, "%s Unbekannter Befehl!"},
    TStringEntry{157, kCombination},
    TStringEntry{158, kCombination},
    TStringEntry{160, "%s Array A kann mit diesem Treiber nicht verwendert werden!"},
    TStringEntry{161, kArrayUndefined},
    TStringEntry{162, kArrayUndefined},
    TStringEntry{166, kNotWithDriver},
    TStringEntry{170, kNotWithDriver},
    TStringEntry{175,
                 "Zu wenig RAM für VEL! Mindestens sollen %u kB zur Verfügung gestellt werden."},
    TStringEntry{200, "%s Syntax Fehler !"},
    TStringEntry{1100, "[Zeile:%i] "},
    TStringEntry{1101, "\rCompiler Status: %i % wurde compiliert        "},
    TStringEntry{1102, "Treiber: %s\n"},
    TStringEntry{1103, "Config:  %s\n"},
    TStringEntry{1104, "Die Datei \"%s\" konnte nicht geschrieben werden !"},
    TStringEntry{1105, "Die Datensatzgröße ist %u kByte.\nÜbertragen ?"},
    TStringEntry{1106, "Vorhandene Datei:\"%s\" \rersetzen ? "},
    TStringEntry{1107, "Die Datei \"%s\" konnte nicht gelesen werden !"},
    TStringEntry{1108, "Das Programm \"%s\" konnte nicht gestartet werden (%s) !"},
    TStringEntry{1109, "VEL Compiler"},
    TStringEntry{1110, "VEL Compiler Version 01.05#01, (Jul 31 2001)%s"},
    TStringEntry{1111, "Z&K Quellwerk für Linux"},
    TStringEntry{1112, "&VEL Compilieren && Übertragen"},
    TStringEntry{1113, "&VEL Editieren"},
    TStringEntry{1114, "Meldungen"},
};

static_assert(StringTableSorted(kStrings), "string table must be sorted by id");

}  // namespace

std::string_view LoadVelString(uint32_t section, uint32_t number) {
  const uint32_t id = section + number;
  return FindStringEntry(kStrings, id);
}
