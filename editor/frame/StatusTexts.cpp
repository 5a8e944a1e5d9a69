// The status bar's texts and layouts.
#include "editor/frame/StatusTexts.h"

#include <cstdio>
#include <ctime>

namespace {

constexpr int32_t kNone[] = {-1};
constexpr int32_t kText[] = {64, 120, 180, 240, 272, -1};
constexpr int32_t kHex[] = {132, 212, 272, 332, 364, -1};
constexpr int32_t kGrep[] = {64, 120, 154, 186, 280, 386, -1};

std::tm LocalTime(int64_t seconds) {
  std::time_t t = static_cast<std::time_t>(seconds);
  std::tm tm{};
  localtime_r(&t, &tm);
  return tm;
}

}  // namespace

std::span<const int32_t> StatusLayout(uint8_t kind) {
  switch (kind) {
    case 1: return kText;
    case 2: return kHex;
    case 3: return kGrep;
    default: return kNone;
  }
}

std::vector<int32_t> ScaledStatusLayout(uint8_t kind, int32_t dpi) {
  std::span<const int32_t> edges = StatusLayout(kind);
  std::vector<int32_t> out(edges.begin(), edges.end());
  if (dpi > 96) {
    for (size_t i = 0; i + 1 < out.size(); ++i) out[i] = out[i] * dpi / 96;
  }
  return out;
}

std::string StatusLineText(int32_t line1) { return "Z:  " + std::to_string(line1); }
std::string StatusColumnText(int32_t column1) { return "S:  " + std::to_string(column1); }
std::string StatusInsertText(bool overwrite) { return overwrite ? "Überschr." : "Einfügen"; }
std::string StatusCharsetText(bool dos) { return dos ? "DOS" : "WIN"; }

std::string ShortDateText(int64_t seconds) {
  std::tm tm = LocalTime(seconds);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02d.%02d.%04d", tm.tm_mday, tm.tm_mon + 1, tm.tm_year + 1900);
  return buf;
}

std::string ShortTimeText(int64_t seconds) {
  std::tm tm = LocalTime(seconds);
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d:%02d", tm.tm_hour, tm.tm_min);
  return buf;
}

std::string StatusFileInfoText(const platform::TFileTime& time, int64_t size, bool readOnly) {
  std::string text = ShortDateText(time.Seconds) + " " + ShortTimeText(time.Seconds) + "  " +
                     std::to_string(size) + " Byte";
  if (readOnly) text += "   nur lesen!";
  return text;
}

std::string StatusHexOffsetText(int64_t offset) {
  if (offset < 0) return {};
  char buf[48];
  std::snprintf(buf, sizeof buf, "%lld / %08llX ", static_cast<long long>(offset),
                static_cast<unsigned long long>(offset));
  return buf;
}

std::string StatusHexByteText(uint8_t byte) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "\"%c\" / %u / %02X", byte < 32 ? ' ' : static_cast<char>(byte), byte,
                byte);
  return buf;
}

std::string StatusFilesText(int32_t count) { return "Dateien: " + std::to_string(count); }
std::string StatusHitsText(int32_t count) { return "Textstellen: " + std::to_string(count); }
