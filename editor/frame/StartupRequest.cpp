// Parsing the editor's command line into a start-up request.
#include "editor/frame/StartupRequest.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstring>

namespace {

bool AllDigits(std::string_view s, int base) {
  return std::all_of(s.begin(), s.end(), [base](char c) {
    if (c >= '0' && c <= '9') return true;
    if (base != 16) return false;
    c = static_cast<char>(c | 0x20);
    return c >= 'a' && c <= 'f';
  });
}

// False when the digits do not fit a non-negative 32-bit value.
bool ReadNumber(std::string_view s, int base, int32_t& out) {
  if (s.empty()) return false;
  int64_t value = 0;
  for (char c : s) {
    int digit = c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
    value = value * base + digit;
    if (value > INT32_MAX) return false;
  }
  out = static_cast<int32_t>(value);
  return true;
}

// The switch letter when the argument has a switch's form, else 0.
char SwitchForm(const std::string& arg) {
  if (arg.size() < 2 || arg[0] != '/') return 0;
  char letter = static_cast<char>(arg[1] & ~0x20);
  std::string_view rest = std::string_view(arg).substr(2);
  switch (letter) {
    case 'L':
    case 'C':
      return AllDigits(rest, 10) ? letter : 0;
    case 'H':
      return AllDigits(rest, 16) ? letter : 0;
    case 'D':
    case 'P':
      return rest.empty() ? letter : 0;
    case 'G':
      return rest.find('/') == std::string_view::npos ? letter : 0;
    default:
      return 0;
  }
}

void CopyField(char* field, size_t max, std::string_view text) {
  size_t n = std::min(max, text.size());
  std::memcpy(field, text.data(), n);
  field[n] = 0;
}

}  // namespace

int32_t ProbePath(const std::string& path) {
  struct stat st;
  if (path.empty() || ::stat(path.c_str(), &st) != 0) return 0;
  return S_ISDIR(st.st_mode) ? 2 : 1;
}

TStartupRequest ParseCommandLine(const std::vector<std::string>& args, const TPathProbe& probe) {
  TStartupRequest request;
  std::string name;
  bool haveName = false;
  bool joining = false;
  bool hexSeen = false;
  for (const std::string& arg : args) {
    if (arg.empty()) continue;
    char letter = SwitchForm(arg);
    if (letter && probe(arg) == 0) {
      joining = false;
      std::string_view rest = std::string_view(arg).substr(2);
      int32_t value = 0;
      switch (letter) {
        case 'L':
          if (!hexSeen && ReadNumber(rest, 10, value)) request.Line = value;
          break;
        case 'C':
          if (!hexSeen && ReadNumber(rest, 10, value)) request.Column = value;
          break;
        case 'H':
          if (rest.empty() || ReadNumber(rest, 16, value)) {
            hexSeen = true;
            request.Hex = 1;
            request.Line = value;
            request.Column = 0;
          }
          break;
        case 'D':
          request.Dos = 1;
          break;
        case 'P':
          request.Print = 1;
          break;
        case 'G':
          CopyField(request.GroupName, kStartupGroupMax, rest);
          break;
        default:
          break;
      }
      continue;
    }
    if (!haveName) {
      name = arg;
      haveName = true;
      joining = true;
      continue;
    }
    if (!joining) continue;
    if (arg.find(":\\") != std::string::npos || (arg[0] == '/' && probe(arg) == 1)) {
      joining = false;
      continue;
    }
    name += ' ';
    name += arg;
  }
  if (haveName && name.size() <= kStartupNameMax) CopyField(request.FileName, kStartupNameMax, name);
  return request;
}

std::string RequestFileName(const TStartupRequest& request) {
  return std::string(request.FileName, strnlen(request.FileName, kStartupNameMax));
}

std::string RequestGroupName(const TStartupRequest& request) {
  return std::string(request.GroupName, strnlen(request.GroupName, kStartupGroupMax));
}

std::string_view CommandLineHelp() {
  return "Aufruf: zkedit32 [DATEI] [/Lzeile] [/Cspalte] [/Hoffset] [/D] [/P] [/Ggruppe]\n"
         "\n"
         "  DATEI      die zu oeffnende Datei; ein Name mit Leerzeichen darf ohne\n"
         "             Anfuehrungszeichen stehen, seine Teile werden mit einem Blank verbunden\n"
         "  /Ln        Cursor in Zeile n (dezimal)\n"
         "  /Cn        Cursor in Spalte n (dezimal)\n"
         "  /Hx        Datei im Hex-Editor am Offset x (hexadezimal) oeffnen\n"
         "  /D         DOS-Zeichensatz fuer die Datei\n"
         "  /P         Datei drucken\n"
         "  /Gname     Dateigruppe name oeffnen\n"
         "  --help     diesen Text zeigen\n"
         "\n"
         "Ein Argument ist nur dann ein Schalter, wenn es genau diese Form hat (/L und /C mit\n"
         "Ziffern, /H mit Hex-Ziffern, /D und /P allein, /G mit einem Namen ohne \"/\") und\n"
         "keine vorhandene Datei und kein Verzeichnis benennt; sonst ist es ein Dateiname.\n"
         "Ein weiteres Argument, das eine vorhandene Datei mit absolutem Pfad benennt, beendet\n"
         "das Verbinden des Namens und wird ignoriert. Nur eine Datei wird geoeffnet.\n"
         "Laeuft der Editor schon, uebernimmt er die Datei und dieser Aufruf endet.\n";
}
