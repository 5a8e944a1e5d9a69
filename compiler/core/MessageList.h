// The compiler's message list: texts with a type letter, each identical text kept once.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

constexpr char mtError = 'E';
constexpr char mtWarning = 'W';

struct TVelMessage {
  char Type = mtError;
  uint32_t Id = 0;   // string number, for callers that sort or test by number
  std::string Text;  // Windows-1252
};

class TMessageList {
 public:
  // False when the same type and text are already listed.
  bool Add(char type, uint32_t id, std::string text);
  void Clear();

  const std::vector<TVelMessage>& Items() const { return Items_; }
  int32_t ErrorCount() const { return Errors_; }
  int32_t WarningCount() const { return Warnings_; }
  bool Contains(uint32_t id) const;

 private:
  std::vector<TVelMessage> Items_;
  std::unordered_set<std::string> Seen_;  // type letter + text
  int32_t Errors_ = 0;
  int32_t Warnings_ = 0;
};

// Formats table text `id` of the compiler section with text arguments. Every conversion
// ("%s", "%i", "%u", "%li" ...) takes the next argument as it stands, so a table text can
// never read an argument of the wrong kind; "%%" is a percent sign. Result in Windows-1252.
std::string FormatVelText(uint32_t id, const std::vector<std::string>& args);
