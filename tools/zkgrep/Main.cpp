// zkgrep: runs the editor's global search without windows and prints the hit list's lines
// as the hit-list window holds them, for scripts and for comparing with other tools.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <thread>

#include "editor/grep/GrepLines.h"
#include "editor/grep/GrepSearch.h"
#include "platform/ui/CodePages.h"

namespace {

constexpr const char* kUsage =
    "usage: zkgrep [options] TEXT MASKS DIR...\n"
    "Searches TEXT (empty: list files only) in the files matching MASKS (wildcard patterns\n"
    "separated by blanks, quotes around names with blanks) in each DIR.\n"
    "  -c, --case       match upper and lower case exactly\n"
    "  -w, --words      whole words only\n"
    "  -e, --regex      TEXT is a regular expression\n"
    "  -s, --subdirs    search the subdirectories too\n"
    "  -o, --output=N   0 files and hit lines (default), 1 files with hit counts,\n"
    "                   2 file names only\n"
    "  -i, --info       file lines show size, date and time\n"
    "  -l, --line-ends=N  1 CR LF, 2 LF, 3 CR, 4 any (default)\n"
    "  -j, --threads=N  threads reading ahead (default: the number of cores, 0 none)\n"
    "      --json       one JSON object per line\n"
    "      --counts     only the counts\n"
    "Each line: kind, tab, hit ranges as start:length separated by commas, tab, text.\n"
    "The last line: files with hits, hits and the status. Exit code 0 with hits, 1 without,\n"
    "2 for a bad command line or a faulty expression, 3 when the list grew too long.\n";

struct TOptions {
  TGrepParam Param;
  int32_t LineEnds = lemAny;
  int32_t Threads = -1;
  bool Json = false;
  bool CountsOnly = false;
};

bool ParseNumber(std::string_view text, int32_t low, int32_t high, int32_t* value) {
  if (text.empty() || text.size() > 4) return false;
  int32_t v = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + (c - '0');
  }
  if (v < low || v > high) return false;
  *value = v;
  return true;
}

// The value of "--name=V" or of "-x V"; null when missing.
const char* OptionValue(int argc, char** argv, int* i, std::string_view arg) {
  const size_t eq = arg.find('=');
  if (eq != std::string_view::npos) return argv[*i] + eq + 1;
  if (arg.size() > 2 && arg[1] != '-') return argv[*i] + 2;  // the value attached: -j4
  if (*i + 1 >= argc) return nullptr;
  return argv[++*i];
}

bool ParseArgs(int argc, char** argv, TOptions& o) {
  int positional = 0;
  bool optionsDone = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (!optionsDone && arg.size() > 1 && arg[0] == '-') {
      std::string_view name = arg.substr(0, arg.find('='));
      if (name.size() > 2 && name[1] != '-' && std::string_view("olj").find(name[1]) != std::string_view::npos)
        name = name.substr(0, 2);
      int32_t value = 0;
      if (arg == "--") {
        optionsDone = true;
      } else if (name == "-c" || name == "--case") {
        o.Param.CaseSensitive = true;
      } else if (name == "-w" || name == "--words") {
        o.Param.WholeWords = true;
      } else if (name == "-e" || name == "--regex") {
        o.Param.RegularExpression = true;
      } else if (name == "-s" || name == "--subdirs") {
        o.Param.Subdirectories = true;
      } else if (name == "-i" || name == "--info") {
        o.Param.Info = true;
      } else if (name == "--json") {
        o.Json = true;
      } else if (name == "--counts") {
        o.CountsOnly = true;
      } else if (name == "-o" || name == "--output") {
        const char* v = OptionValue(argc, argv, &i, arg);
        if (!v || !ParseNumber(v, 0, 2, &value)) return false;
        o.Param.Output = static_cast<uint8_t>(value);
      } else if (name == "-l" || name == "--line-ends") {
        const char* v = OptionValue(argc, argv, &i, arg);
        if (!v || !ParseNumber(v, 1, 4, &o.LineEnds)) return false;
      } else if (name == "-j" || name == "--threads") {
        const char* v = OptionValue(argc, argv, &i, arg);
        if (!v || !ParseNumber(v, 0, 256, &o.Threads)) return false;
      } else {
        return false;
      }
      continue;
    }
    if (positional == 0) {
      if (arg.size() > static_cast<size_t>(kSearchTextMax)) return false;
      SetGrepField(o.Param.SearchText, std::string(arg));
    } else if (positional == 1) {
      if (arg.size() > static_cast<size_t>(kGrepMasksMax)) return false;
      SetGrepField(o.Param.FileMasks, std::string(arg));
    } else {
      if (o.Param.Dirs.size() >= kGrepMaxDirs) return false;
      o.Param.Dirs.emplace_back(arg);
    }
    ++positional;
  }
  return positional >= 3;
}

void AppendJsonString(std::string& out, std::string_view bytes) {
  const std::string utf8 = platform::CodePageToUtf8(bytes, false);
  out += '"';
  for (unsigned char c : utf8) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04x", c);
      out += buf;
    } else {
      out += static_cast<char>(c);
    }
  }
  out += '"';
}

std::string Ranges(const TGrepLineItem& item, bool json) {
  std::string out = json ? "[" : "";
  if (!IsGrepFileKind(item.Kind)) {
    bool first = true;
    for (const TGrepRange& r : item.Hit.Ranges) {
      if (!first) out += ',';
      first = false;
      out += json ? "[" + std::to_string(r.Start) + "," + std::to_string(r.Length) + "]"
                  : std::to_string(r.Start) + ":" + std::to_string(r.Length);
    }
  }
  if (json) out += ']';
  return out;
}

void PrintLines(const TGrepLines& lines, bool json) {
  std::string out;
  for (int32_t i = 0; i < lines.Count(); ++i) {
    const TGrepLineItem& item = *lines.GrepLineAt(i);
    if (json) {
      out += "{\"kind\":" + std::to_string(item.Kind) + ",\"text\":";
      AppendJsonString(out, lines.Text(i));
      out += ",\"ranges\":" + Ranges(item, true) + "}\n";
    } else {
      out += std::to_string(item.Kind);
      out += '\t';
      out += Ranges(item, false);
      out += '\t';
      out += lines.Text(i);
      out += '\n';
    }
    if (out.size() > (1 << 16)) {
      std::fwrite(out.data(), 1, out.size(), stdout);
      out.clear();
    }
  }
  std::fwrite(out.data(), 1, out.size(), stdout);
}

}  // namespace

int main(int argc, char** argv) {
  TOptions o;
  if (argc >= 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (!ParseArgs(argc, argv, o)) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  TGrepLines lines;
  lines.Info = o.Param.Info;
  TGrepSearch search(&o.Param, lines);
  search.LoadMode = o.LineEnds;
  search.ReadAheadThreads =
      o.Threads >= 0 ? o.Threads : static_cast<int32_t>(std::thread::hardware_concurrency());
  const int32_t status = search.Run();
  const TGrepStatusText text = GrepStatusText(status);
  if (status == grepOk || status == grepTooManyLines) {
    if (!o.CountsOnly) PrintLines(lines, o.Json);
  }
  const int32_t hits = o.Param.Output == 2 ? 0 : search.Hits();
  if (o.Json)
    std::printf("{\"files\":%d,\"hits\":%d,\"status\":%d}\n", search.FilesWithHits(), hits, status);
  else
    std::printf("Dateien: %d\tTextstellen: %d\tStatus: %d\n", search.FilesWithHits(), hits, status);
  if (text.Message[0]) std::fprintf(stderr, "zkgrep: %s\n", text.Message);
  std::fflush(stdout);
  switch (status) {
    case grepOk:
      return 0;
    case grepTooManyLines:
      return 3;
    case grepNoHit:
    case grepNoFileFound:
      return 1;
    default:
      return 2;
  }
}
