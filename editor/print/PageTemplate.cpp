// Expansion of header and footer templates.
#include "editor/print/PageTemplate.h"

#include <ctime>
#include <optional>

#include "printlib/PrintJob.h"

namespace {

std::string FormatLocal(int64_t seconds, const char* format) {
  std::time_t t = static_cast<std::time_t>(seconds);
  std::tm local{};
  if (!localtime_r(&t, &local)) return {};
  char buffer[32];
  size_t n = std::strftime(buffer, sizeof(buffer), format, &local);
  return std::string(buffer, n);
}

}  // namespace

std::string TemplateDate(int64_t s) { return FormatLocal(s, "%d.%m.%Y"); }
std::string TemplateShortTime(int64_t s) { return FormatLocal(s, "%H:%M"); }
std::string TemplateLongTime(int64_t s) { return FormatLocal(s, "%H:%M:%S"); }

std::string ExpandPageTemplate(std::string_view text, const TTemplateValues& values) {
  std::optional<int64_t> now;
  auto moment = [&]() -> std::optional<int64_t> {
    if (values.UseFileDate) {
      if (!values.HasFileDate) return std::nullopt;
      return values.FileDate.Seconds;
    }
    if (!now) now = values.Now ? values.Now() : static_cast<int64_t>(std::time(nullptr));
    return now;
  };
  std::string out;
  auto add = [&](std::string_view piece) {
    if (out.size() + piece.size() <= kHeaderMax) out.append(piece);
  };
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '&' || i + 1 >= text.size()) {
      add(std::string_view(&text[i], 1));
      continue;
    }
    const char code = text[i + 1];
    switch (code) {
      case 'N':
        add(values.Name);
        break;
      case 'D':
        if (auto m = moment()) add(TemplateDate(*m));
        break;
      case 'U':
        if (auto m = moment()) add(values.UseFileDate ? TemplateLongTime(*m) : TemplateShortTime(*m));
        break;
      case 'S':
        add(kPagePlaceholder);
        break;
      case 'G':
        add(kTotalPlaceholder);
        break;
      default:
        // Not a code: the "&" stays, the next character is looked at on its own.
        add("&");
        continue;
    }
    ++i;
  }
  return out;
}
