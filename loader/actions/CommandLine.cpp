// Both passes over the loader's command line.
#include "loader/actions/CommandLine.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace krlad {
namespace {

char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

bool AllDigits(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

// Parses hexadecimal text completely; false for empty text, other characters or a value
// above `max`.
bool ParseHex(std::string_view text, uint32_t max, uint32_t& value) {
  if (text.empty() || text.size() > 8) return false;
  uint32_t v = 0;
  for (char c : text) {
    int digit = 0;
    if (c >= '0' && c <= '9') digit = c - '0';
    else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    else return false;
    v = v * 16 + static_cast<uint32_t>(digit);
  }
  if (v > max) return false;
  value = v;
  return true;
}

std::vector<std::string_view> SplitAt(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  for (;;) {
    size_t at = text.find(separator, start);
    parts.push_back(text.substr(start, at == std::string_view::npos ? at : at - start));
    if (at == std::string_view::npos) return parts;
    start = at + 1;
  }
}

TArgumentResult ParseRead(std::string_view arg, TAction& action) {
  // "-*" and a letter taken as written: L (96000 bytes) and l (24576) differ.
  if (arg.size() < 3) return TArgumentResult::Unknown;
  const char letter = arg[2];
  const std::string_view rest = arg.substr(3);
  const auto parts = SplitAt(rest, ';');
  action.File = std::string(parts.back());
  switch (letter) {
    case 'D': case 'd': action.Kind = TActionKind::ReadRecord; break;
    case 'R': case 'r': action.Kind = TActionKind::ReadRecipe; break;
    case 'G': case 'g': action.Kind = TActionKind::ReadDiagnostics; break;
    case 'V': case 'v': action.Kind = TActionKind::ReadVideo; break;
    case 'L': action.Kind = TActionKind::ReadDriver; break;
    case 'l': action.Kind = TActionKind::ReadDriverSmall; break;
    case 'S': case 's': {
      action.Kind = TActionKind::ReadMemory;
      uint32_t address = 0;
      uint32_t length = 0;
      if (parts.size() < 3 || !ParseHex(parts[0], 0xFFFFFF, address) ||
          !ParseHex(parts[1], 0xFFFF, length))
        return TArgumentResult::BadMemory;
      action.Address = address;
      action.Length = static_cast<uint16_t>(length);
      break;
    }
    default: return TArgumentResult::Unknown;
  }
  return TArgumentResult::Action;
}

TArgumentResult ParseControl(std::string_view arg, TAction& action) {
  if (arg.size() < 3) return TArgumentResult::Unknown;
  std::string_view rest = arg.substr(3);
  switch (Upper(arg[2])) {
    case 'H': action.Kind = TActionKind::HwConfig; break;
    case 'I': action.Kind = TActionKind::VelInfo; break;
    case 'S': action.Kind = TActionKind::DeviceStatus; break;
    case 'T': action.Kind = TActionKind::DriverInfo; break;
    case 'P': action.Kind = TActionKind::DeleteVel; break;
    case 'R':
      action.Kind = TActionKind::SoftReset;
      if (!rest.empty() && Upper(rest[0]) == 'H') {
        action.Kind = TActionKind::HardReset;
        rest.remove_prefix(1);
      }
      break;
    default: return TArgumentResult::Unknown;
  }
  action.File = std::string(rest);
  return TArgumentResult::Action;
}

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view line) {
  std::vector<std::string> args;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    size_t start = i;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
    if (i > start) args.emplace_back(line.substr(start, i - start));
  }
  return args;
}

std::vector<std::string> ProgramArguments(const std::vector<std::string>& given) {
  std::vector<std::string> args;
  for (const std::string& arg : given)
    if (arg.find_first_not_of(" \t") != std::string::npos) args.push_back(arg);
  return args;
}

TArgumentResult ParseArgument(std::string_view arg, TAction& action) {
  action = TAction{};
  action.Argument = std::string(arg);
  if (arg.empty()) return TArgumentResult::Setting;
  if (arg[0] != '-') {
    action.Kind = TActionKind::LoadRecord;
    action.File = std::string(arg);
    return TArgumentResult::Action;
  }
  if (arg.size() < 2) return TArgumentResult::Unknown;
  const std::string_view rest = arg.substr(2);
  if (AllDigits(arg.substr(1))) return TArgumentResult::Setting;
  switch (Upper(arg[1])) {
    case '?': case 'Y': case 'K': return rest.empty() ? TArgumentResult::Setting : TArgumentResult::Unknown;
    case 'P': return rest.empty() || AllDigits(rest) ? TArgumentResult::Setting : TArgumentResult::Unknown;
    case 'S':
      return rest.size() == 1 && Upper(rest[0]) == 'F' ? TArgumentResult::Setting
                                                       : TArgumentResult::Unknown;
    case 'D': action.Kind = TActionKind::LoadRecord; break;
    case 'A': action.Kind = TActionKind::LoadTexts; break;
    case 'I': action.Kind = TActionKind::LoadVelRecord; break;
    case 'R': action.Kind = TActionKind::LoadRecipe; break;
    case 'L': action.Kind = TActionKind::LoadDriver; break;
    case 'B': action.Kind = TActionKind::CheckFile; break;
    case '*': return ParseRead(arg, action);
    case 'C': return ParseControl(arg, action);
    default: return TArgumentResult::Unknown;
  }
  action.File = std::string(rest);
  return TArgumentResult::Action;
}

TSettingsResult ParseSettings(const std::vector<std::string>& args, TRunSettings& settings) {
  settings = TRunSettings{};
  if (args.empty()) return TSettingsResult::ShowParams;
  TSettingsResult result = TSettingsResult::Ok;
  for (const std::string& arg : args) {
    TAction action;
    if (ParseArgument(arg, action) == TArgumentResult::Unknown) result = TSettingsResult::ShowParams;
    if (arg.size() < 2 || arg[0] != '-') continue;
    const std::string_view rest = std::string_view(arg).substr(2);
    if (AllDigits(std::string_view(arg).substr(1))) {
      // Port numbers beyond what anyone wires up are cut rather than overflowing.
      settings.Port = static_cast<int32_t>(std::min(std::strtoul(arg.c_str() + 1, nullptr, 10), 9999ul));
      continue;
    }
    switch (Upper(arg[1])) {
      case '?': if (rest.empty()) result = TSettingsResult::ShowParams; break;
      case 'Y': if (rest.empty()) settings.NoRetry = true; break;
      case 'K': if (rest.empty()) settings.Console = true; break;
      case 'P':
        if (AllDigits(rest))
          settings.SwitchOffMethod = static_cast<int32_t>(std::min(std::strtoul(rest.data(), nullptr, 10), 99ul));
        break;
      default: break;
    }
  }
  return result;
}

}  // namespace krlad
