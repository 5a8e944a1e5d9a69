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

void TParameterFilter::Set(std::string_view text) {
  if (text == Text_) return;  // the state already belongs to this text ("" at first)
  Text_ = std::string(text);
  Empty_ = text.empty();
  Whole_.clear();
  LastChars_.fill(false);
  bool lastCharMode = false;
  size_t start = 0;
  while (!Empty_ && start <= text.size()) {
    size_t end = start;
    while (end < text.size() && text[end] != '/' && text[end] != '%') ++end;
    std::string_view alt = text.substr(start, end - start);
    if (!alt.empty() && alt[0] == '?') {
      lastCharMode = true;
      alt.remove_prefix(1);
    }
    if (lastCharMode) {
      for (const char c : alt) LastChars_[static_cast<uint8_t>(c)] = true;
    } else {
      Whole_.emplace_back(alt);
    }
    start = end + 1;
  }
}

bool TParameterFilter::Passes(std::string_view form) const {
  if (Empty_) return true;
  if (!form.empty() && LastChars_[static_cast<uint8_t>(form.back())]) return true;
  for (const std::string& whole : Whole_)
    if (whole == form) return true;
  return false;
}

bool PassesFilter(std::string_view form, std::string_view filter) {
  TParameterFilter parsed;
  parsed.Set(filter);
  return parsed.Passes(form);
}

bool MatchesPattern(std::string_view form, std::string_view filter, std::string_view argument) {
  // The argument test is the cheaper one and fails more often, so it goes first.
  const bool matches = !argument.empty() && argument[0] == '?'
                           ? argument.size() > 1 && !form.empty() && form.back() == argument[1]
                           : form == argument;
  return matches && PassesFilter(form, filter);
}
