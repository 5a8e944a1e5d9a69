// Parameter forms and pattern matching.
#include "compiler/core/Parameter.h"

std::string ParameterData::Form() const {
  std::string form = Name;
  if (Kind != 0) form += Kind;
  return form;
}

bool ParameterData::FormFits(std::string_view argument) const {
  if (!argument.empty() && argument[0] == '?') {
    if (argument.size() < 2) return false;
    if (Kind != 0) return Kind == argument[1];
    return !Name.empty() && Name.back() == argument[1];
  }
  if (Kind == 0) return argument == Name;
  return argument.size() == Name.size() + 1 && argument.back() == Kind &&
         argument.substr(0, Name.size()) == Name;
}

bool PassesFilter(std::string_view form, std::string_view filter) {
  if (filter.empty()) return true;
  bool lastCharMode = false;
  size_t start = 0;
  while (start <= filter.size()) {
    size_t end = start;
    while (end < filter.size() && filter[end] != '/' && filter[end] != '%') ++end;
    std::string_view alt = filter.substr(start, end - start);
    if (!alt.empty() && alt[0] == '?') {
      lastCharMode = true;
      alt.remove_prefix(1);
    }
    if (lastCharMode) {
      if (!form.empty())
        for (const char c : alt)
          if (c == form.back()) return true;
    } else if (alt == form) {
      return true;
    }
    start = end + 1;
  }
  return false;
}

bool MatchesPattern(std::string_view form, std::string_view filter, std::string_view argument) {
  // The argument test is the cheaper one and fails more often, so it goes first.
  const bool matches = !argument.empty() && argument[0] == '?'
                           ? argument.size() > 1 && !form.empty() && form.back() == argument[1]
                           : form == argument;
  return matches && PassesFilter(form, filter);
}
