// Golden editing cases: tests/data/text/<case>/ holds the document "in", the key sequence
// "keys", the expected document "out" and, optionally, the expected caret "caret" (line and
// column). Each case runs in a fresh editor window.
#include <dirent.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "tests/editor/text/TextViewFixture.h"
#include "tests/support/TempDir.h"

using namespace platform;
using namespace textview;

namespace {

const std::string kDataDir = ZK_TEXT_DATA_DIR;

std::vector<std::string> CaseNames() {
  std::vector<std::string> names;
  if (DIR* dir = opendir(kDataDir.c_str())) {
    while (dirent* e = readdir(dir)) {
      std::string name = e->d_name;
      if (name[0] != '.') names.push_back(name);
    }
    closedir(dir);
  }
  std::sort(names.begin(), names.end());
  return names;
}

// Lines of a golden document: split at LF; a final LF ends the last line.
std::vector<std::string> SplitDocument(const std::string& bytes) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start <= bytes.size()) {
    size_t lf = bytes.find('\n', start);
    if (lf == std::string::npos) {
      if (start < bytes.size() || lines.empty()) lines.push_back(bytes.substr(start));
      break;
    }
    lines.push_back(bytes.substr(start, lf - start));
    start = lf + 1;
  }
  return lines;
}

// \t, \r, \n, \\ and \xHH in a typed text.
std::string Unescape(std::string_view s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '\\' || i + 1 == s.size()) {
      out.push_back(s[i]);
      continue;
    }
    char c = s[++i];
    if (c == 't') out.push_back('\t');
    else if (c == 'r') out.push_back('\r');
    else if (c == 'n') out.push_back('\n');
    else if (c == 's') out.push_back(' ');
    else if (c == 'x' && i + 2 < s.size()) {
      out.push_back(static_cast<char>(std::stoi(std::string(s.substr(i + 1, 2)), nullptr, 16)));
      i += 2;
    } else out.push_back(c);
  }
  return out;
}

uint32_t KeyCode(const std::string& name) {
  static const std::pair<const char*, uint32_t> kKeys[] = {
      {"Left", VK_LEFT},   {"Right", VK_RIGHT},   {"Up", VK_UP},        {"Down", VK_DOWN},
      {"Home", VK_HOME},   {"End", VK_END},       {"PageUp", VK_PRIOR}, {"PageDown", VK_NEXT},
      {"Back", VK_BACK},   {"Return", VK_RETURN}, {"Delete", VK_DELETE}, {"Insert", VK_INSERT}};
  for (const auto& [n, vk] : kKeys) {
    if (name == n) return vk;
  }
  ADD_FAILURE() << "unknown key " << name;
  return 0;
}

class EditGoldenTest : public TextViewTest, public ::testing::WithParamInterface<std::string> {
 protected:
  void Run(const std::string& name);
  void Step(TEditChildData& d, const std::string& line);
};

void EditGoldenTest::Step(TEditChildData& d, const std::string& line) {
  std::istringstream in(line);
  std::string verb;
  in >> verb;
  if (verb.empty() || verb[0] == '#') return;
  if (verb == "type") {
    std::string rest = line.substr(std::min(line.size(), line.find("type") + 5));
    Type(Unescape(rest));
  } else if (verb == "key") {
    std::string combo;
    int32_t times = 1;
    in >> combo >> times;
    bool shift = false, ctrl = false;
    for (size_t plus; (plus = combo.find('+')) != std::string::npos; combo = combo.substr(plus + 1)) {
      std::string mod = combo.substr(0, plus);
      shift |= mod == "Shift";
      ctrl |= mod == "Ctrl";
    }
    uint32_t vk = KeyCode(combo);
    for (int32_t i = 0; i < std::max(times, 1); ++i) Key(vk, shift, ctrl);
  } else if (verb == "caret") {
    int32_t l = 0, c = 0;
    in >> l >> c;
    d.SetCaret(c, l, false, false);
  } else if (verb == "select") {
    TTextRange r;
    in >> r.StartLine >> r.StartColumn >> r.EndLine >> r.EndColumn;
    d.SetSelection(&r, 1);
  } else if (verb == "set") {
    std::string option;
    int32_t value = 0;
    in >> option >> value;
    if (option == "wordwrap") d.WordWrap = value;
    else if (option == "wrapcol") d.WrapCol = value;
    else if (option == "autoindent") d.AutoIndent = value;
    else if (option == "tabsasspaces") d.TabsAsSpaces = value;
    else if (option == "replace") d.TypingReplacesSelection = value;
    else if (option == "columnblock") d.SetColumnBlock(value != 0);
    else if (option == "dos") d.DosMode = value;
    else if (option == "freecaret") d.FreeCaret = value;
    else if (option == "tabwidth") {
      d.TabWidth = value;
      d.UpdateTabStops();
    } else ADD_FAILURE() << "unknown option " << option;
  } else if (verb == "cmd") {
    std::string cmd;
    in >> cmd;
    if (cmd == "undo") d.Undo();
    else if (cmd == "redo") d.Redo();
    else if (cmd == "cut") d.Cut();
    else if (cmd == "copy") d.Copy();
    else if (cmd == "paste") d.Paste();
    else if (cmd == "delete") d.Delete();
    else if (cmd == "selectall") d.SetSelection(nullptr, 0);
    else if (cmd == "shiftright") d.ShiftBlockRight();
    else if (cmd == "shiftleft") d.ShiftBlockLeft();
    else if (cmd == "upper") d.ConvertCase(ccUpper);
    else if (cmd == "lower") d.ConvertCase(ccLower);
    else if (cmd == "toggle") d.ConvertCase(ccToggle);
    else if (cmd == "capitalize") d.ConvertCase(ccCapitalize);
    else if (cmd == "todos") d.ConvertCharset(true);
    else if (cmd == "towin") d.ConvertCharset(false);
    else if (cmd == "tabs2spaces") d.TabsToSpaces();
    else if (cmd == "removeempty") d.RemoveEmptyLines();
    else if (cmd == "sort") {
      TSortOptions o;
      for (std::string flag; in >> flag;) {
        o.Descending |= flag == "desc";
        o.CaseSensitive |= flag == "case";
        o.ByMarkedColumns |= flag == "cols";
      }
      d.SortLines(o);
    } else if (cmd == "format") {
      TFormatOptions o;
      in >> o.Columns;
      for (std::string flag; in >> flag;) {
        o.JoinLines |= flag == "join";
        o.MarkedLines |= flag == "marked";
      }
      d.FormatText(o);
    } else ADD_FAILURE() << "unknown command " << cmd;
  } else {
    ADD_FAILURE() << "unknown step " << line;
  }
}

void EditGoldenTest::Run(const std::string& name) {
  const std::string dir = kDataDir + "/" + name + "/";
  TEditChildData& d = Make(SplitDocument(TTempDir::Read(dir + "in")), 640, 320);
  std::istringstream keys(TTempDir::Read(dir + "keys"));
  for (std::string line; std::getline(keys, line);) {
    SCOPED_TRACE(line);
    Step(d, line);
  }
  EXPECT_EQ(Text(d), SplitDocument(TTempDir::Read(dir + "out")));
  std::string caret = TTempDir::Read(dir + "caret");
  if (!caret.empty()) {
    std::istringstream in(caret);
    TTextPos expected;
    in >> expected.Line >> expected.Column;
    EXPECT_EQ(d.Caret, expected) << "caret (column, line)";
  }
}

TEST_P(EditGoldenTest, ProducesTheExpectedDocument) { Run(GetParam()); }

INSTANTIATE_TEST_SUITE_P(Text, EditGoldenTest, ::testing::ValuesIn(CaseNames()),
                         [](const auto& param) {
                           std::string n = param.param;
                           std::replace(n.begin(), n.end(), '-', '_');
                           return n;
                         });

TEST(GoldenCasesTest, ThereAreCases) { EXPECT_GE(CaseNames().size(), 15u); }

}  // namespace
