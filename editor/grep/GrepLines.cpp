// The hit list's line store and the texts of its lines.
#include "editor/grep/GrepLines.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

// The file-system stamp in the packing of the directory search; times before 1980
// cannot be packed and read as its first day.
void UnpackDos(uint32_t packed, int* day, int* month, int* year, int* hour, int* minute,
               int* second) {
  const uint32_t date = packed >> 16, time = packed & 0xFFFF;
  *year = 1980 + static_cast<int>(date >> 9);
  *month = static_cast<int>((date >> 5) & 15);
  *day = static_cast<int>(date & 31);
  *hour = static_cast<int>(time >> 11);
  *minute = static_cast<int>((time >> 5) & 63);
  *second = static_cast<int>((time & 31) * 2);
}

}  // namespace

uint32_t DosDateTimeOf(int64_t secondsSince1970) {
  const std::time_t t = static_cast<std::time_t>(secondsSince1970);
  std::tm tm{};
  if (!localtime_r(&t, &tm) || tm.tm_year < 80) return (1u << 5 | 1u) << 16;
  if (tm.tm_year > 80 + 127) tm = std::tm{0, 0, 0, 31, 11, 80 + 127, 0, 0, 0, 0, nullptr};
  const uint32_t date = static_cast<uint32_t>((tm.tm_year - 80) << 9 | (tm.tm_mon + 1) << 5 |
                                              tm.tm_mday);
  const uint32_t time =
      static_cast<uint32_t>(tm.tm_hour << 11 | tm.tm_min << 5 | (tm.tm_sec > 59 ? 59 : tm.tm_sec) / 2);
  return date << 16 | time;
}

TGrepFileInfo GrepFileInfoOf(int64_t size, int64_t modifiedSeconds) {
  TGrepFileInfo info;
  info.Size = static_cast<uint32_t>(std::min<int64_t>(std::max<int64_t>(size, 0), UINT32_MAX));
  info.DosDateTime = DosDateTimeOf(modifiedSeconds);
  return info;
}

std::string GrepInfoLine(std::string_view path, const TGrepFileInfo& file) {
  int day, month, year, hour, minute, second;
  UnpackDos(file.DosDateTime, &day, &month, &year, &hour, &minute, &second);
  char buf[80];
  std::snprintf(buf, sizeof buf, "\t%u\t%02d.%02d.%04d %02d:%02d:%02d\t", file.Size, day, month,
                year, hour, minute, second);
  return buf + std::string(path);
}

std::string GrepHitPrefix(uint8_t kind, int64_t position) {
  char buf[32];
  if (kind == gkBinaryHit)
    std::snprintf(buf, sizeof buf, "%08X: ", static_cast<unsigned>(position));
  else
    std::snprintf(buf, sizeof buf, "%6lld: ", static_cast<long long>(position + 1));
  return buf;
}

TGrepLines::TGrepLines(TTextLines* store) {
  if (!store) {
    Own_ = std::make_unique<TTextLines>();
    store = Own_.get();
  }
  Store_ = store;
  Store_->Empty();
}

const char* TGrepLines::At(int32_t index) const {
  if (index < 0 || index >= Count()) return nullptr;
  const char* text = Store_->At(index);
  return text ? text : "";
}

std::string_view TGrepLines::Text(int32_t index) const {
  if (index < 0 || index >= Count()) return {};
  return Store_->Text(index);
}

const TGrepLineItem* TGrepLines::GrepLineAt(int32_t index) const {
  return index >= 0 && index < Count() ? &Items_[static_cast<size_t>(index)] : nullptr;
}

TGrepLineItem* TGrepLines::GrepLineAt(int32_t index) {
  return index >= 0 && index < Count() ? &Items_[static_cast<size_t>(index)] : nullptr;
}

bool TGrepLines::Add(std::string_view text) {
  if (!Store_->AddCopy(text)) return false;
  Items_.push_back(TGrepLineItem{});
  return true;
}

bool TGrepLines::AddGrepLine(std::string_view text, uint8_t kind, const TGrepFileInfo& file,
                             int64_t position, TGrepRange range) {
  TGrepLineItem item;
  item.Kind = kind;
  std::string line;
  if (IsGrepFileKind(kind)) {
    item.File = file;
    line = Info ? GrepInfoLine(text, file) : std::string(text);
  } else {
    item.Hit.Position = position;
    item.Hit.Ranges.push_back(range);
    if (WrapCut && text.size() > static_cast<size_t>(kGrepWrapCut)) text = text.substr(0, kGrepWrapCut);
    line = GrepHitPrefix(kind, position);
    line += text;
  }
  if (!Store_->AddCopy(line)) return false;
  Items_.push_back(std::move(item));
  return true;
}

void TGrepLines::UpdateTextHits(int32_t index) {
  const TGrepLineItem* item = GrepLineAt(index);
  if (!item || (item->Kind != gkTextFile && item->Kind != gkBinaryFile)) return;
  char count[48];
  std::snprintf(count, sizeof count, "\t(%u)", item->File.HitCount);
  std::string text(count, std::min<size_t>(std::char_traits<char>::length(count), 30));
  const std::string_view old = Store_->Text(index);
  if (old.empty() || old.front() != '\t') text += '\t';
  text += old;
  Store_->PutCopy(index, text);
}

void TGrepLines::Empty() {
  Store_->Empty();
  Items_.clear();
}
