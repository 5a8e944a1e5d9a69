// Message raising with the current line.
#include "compiler/core/Reporter.h"

std::string TVelReporter::LinePrefix() const {
  return FormatVelText(1100, {std::to_string(Line + 1)});
}

void TVelReporter::Report(uint32_t id, std::vector<std::string> args) {
  List.Add(mtError, id, FormatVelText(id, args));
}
