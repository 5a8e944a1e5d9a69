// Stored form of the multiple-replace groups.
#include "editor/frame/MultiReplace.h"

#include <algorithm>
#include <string_view>

namespace {

constexpr std::string_view kSection = "MultiReplace";

// The next "|"-separated piece of `text`, consumed from it; the last piece is what remains.
std::string_view NextPiece(std::string_view& text, bool* more) {
  size_t bar = text.find('|');
  std::string_view piece = text.substr(0, bar);
  *more = bar != std::string_view::npos;
  text = *more ? text.substr(bar + 1) : std::string_view();
  return piece;
}

}  // namespace

TMulRepList ReadMulRepList(const platform::TProfileFile& file) {
  TMulRepList list;
  for (size_t i = 0; i < TMulRepList::kMaxGroups; ++i) {
    std::string n = std::to_string(i);
    std::string name = file.ReadString(kSection, "NAME" + n, "");
    std::string search = file.ReadString(kSection, "SRCH" + n, "");
    std::string replace = file.ReadString(kSection, "REPL" + n, "");
    std::string_view srch = search;
    while (!srch.empty() && srch.front() == '|') srch.remove_prefix(1);
    if (name.empty() || srch.empty()) continue;

    TMulRepItems group;
    size_t bar = name.rfind('|');
    std::string flags = bar == std::string::npos ? std::string() : name.substr(bar + 1);
    group.Name = bar == std::string::npos ? name : name.substr(0, bar);
    flags.resize(std::max<size_t>(flags.size(), 3), '0');
    group.CaseSensitive = flags[0] != '0';
    group.WholeWords = flags[1] != '0';
    group.RegularExpression = flags[2] != '0';

    std::string_view repl = replace;
    bool moreSearch = true;
    while (moreSearch && group.Pairs.size() < TMulRepItems::kMaxPairs) {
      bool moreRepl;
      std::string_view s = NextPiece(srch, &moreSearch);
      std::string_view r = NextPiece(repl, &moreRepl);
      if (!s.empty()) group.Pairs.push_back({std::string(s), std::string(r)});
    }
    list.Groups.push_back(std::move(group));
  }
  return list;
}

void WriteMulRepList(platform::TProfileFile& file, const TMulRepList& list) {
  file.EraseSection(kSection);
  size_t written = 0;
  for (const TMulRepItems& group : list.Groups) {
    if (written == TMulRepList::kMaxGroups) break;
    // A group without a usable pair could not be read back; leave it out so the
    // numbering the reader sees stays the same as ours.
    std::string search, replace;
    size_t pairs = 0;
    for (const TMulRepPair& pair : group.Pairs) {
      // "|" separates the pairs and cannot be stored inside one.
      if (pair.Search.empty() || pair.Search.find('|') != std::string::npos ||
          pair.Replace.find('|') != std::string::npos)
        continue;
      if (pairs == TMulRepItems::kMaxPairs) break;
      if (pairs > 0) {
        search += '|';
        replace += '|';
      }
      search += pair.Search;
      replace += pair.Replace;
      ++pairs;
    }
    if (group.Name.empty() || pairs == 0) continue;
    std::string n = std::to_string(written++);
    std::string name = group.Name + "|" + (group.CaseSensitive ? "1" : "0") +
                       (group.WholeWords ? "1" : "0") + (group.RegularExpression ? "1" : "0");
    file.WriteString(kSection, "NAME" + n, name);
    file.WriteString(kSection, "SRCH" + n, search);
    file.WriteString(kSection, "REPL" + n, replace);
  }
}
