// Page composition: margins against the printable area, header and footer bands, line
// numbers, tabs, form feeds and line breaking.
#include "printlib/PageComposer.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/ui/Fonts.h"

using namespace platform;

namespace {

constexpr double kInchPerCentimetre = 0.3937007874;

uint32_t AlignFlags(uint8_t align) {
  switch (align) {
    case 1:
      return DT_LEFT;
    case 2:
      return DT_RIGHT;
    default:
      return DT_CENTER;
  }
}

std::string_view FieldText(const char* field, size_t size) {
  return std::string_view(field, strnlen(field, size));
}

}  // namespace

int32_t MarginToDevice(int32_t margin, int32_t dpi) {
  return static_cast<int32_t>(margin * 0.01 * kInchPerCentimetre * dpi);
}

TLogFont JobPrinterFont(const TPrintJob& job, const TPrinterMetrics& metrics) {
  TLogFont font;
  if (const TFontInfo* info = GetFontInfo(job.Font)) {
    font = info->Log;
  } else {
    font.Height = -13;
    font.PitchAndFamily = kFixedPitch | kFamilyModern;
    font.FaceName = "Courier New";
  }
  // Screen fonts are sized for 96 pixels per inch; the printer keeps their physical size.
  font.Height = MulDiv(font.Height, metrics.DpiY, 96);
  if (font.Width > 0) font.Width = std::max(1, MulDiv(font.Width, metrics.DpiX, 96));
  return font;
}

TPageGeometry ComputePageGeometry(const TPrintJob& job, const TSpecialCanvas& canvas) {
  const TPrinterMetrics& m = canvas.Metrics();
  TPageGeometry g;
  int32_t left = MarginToDevice(job.MarginLeft, m.DpiX);
  int32_t right = MarginToDevice(job.MarginRight, m.DpiX);
  int32_t top = MarginToDevice(job.MarginTop, m.DpiY);
  int32_t bottom = MarginToDevice(job.MarginBottom, m.DpiY);
  g.Text.Left = std::max(left, m.OffsetX);
  g.Text.Top = std::max(top, m.OffsetY);
  g.Text.Right = std::min(canvas.PrintableRight(), m.PageWidth - right);
  g.Text.Bottom = std::min(canvas.PrintableBottom(), m.PageHeight - bottom);
  g.LineHeight = canvas.TextHeight();
  g.RightMargin = right;
  g.BottomLine = m.PageHeight - bottom;
  const int32_t h = g.LineHeight;
  int32_t headerBand = top - m.OffsetY;
  if (job.Header[0] != 0 && headerBand > h) g.HeaderY = m.OffsetY + (headerBand - h) / 2;
  int32_t footerBand = canvas.PrintableBottom() - g.BottomLine;
  if (job.Footer[0] != 0 && footerBand > h) g.FooterY = g.BottomLine + (footerBand - h) / 2;
  return g;
}

size_t BreakRowLength(const TSpecialCanvas& canvas, std::string_view text, int32_t tabWidth,
                      int32_t width) {
  if (text.size() <= 1) return text.size();
  // The longest prefix that fits; tabbed widths only grow with the prefix.
  size_t fits = 0;
  {
    const int32_t ave = canvas.AverageCharWidth();
    const int32_t tabs[1] = {tabWidth};
    int32_t pos = 0;
    for (size_t i = 0; i < text.size(); ++i) {
      unsigned char c = static_cast<unsigned char>(text[i]);
      pos = c == '\t' ? TCanvas::NextTabStop(pos, tabs, 0, ave)
                      : pos + canvas.TextWidth(text.substr(i, 1));
      if (pos > width) break;
      fits = i + 1;
    }
  }
  if (fits == text.size()) return fits;
  // Cutting at the last break character again and again passes the breaks from the back;
  // the first row that fits ends at the last break inside the fitting prefix. Only the
  // next-to-last byte or an earlier one counts as a break of the whole text.
  size_t limit = std::min(fits, text.size() - 1);
  for (size_t i = limit; i-- > 0;) {
    char c = text[i];
    if (c == '\t' || c == ' ' || c == '-') return i + 1;
  }
  return std::max<size_t>(fits, 1);
}

bool ComposePage(const TPrintJob& job, TNEWPageInfo& info, TSpecialCanvas& canvas, int32_t page,
                 int32_t total, std::string* error) {
  TPrintLineProc callback = LookupPrintLineCallback(job.LineCallback);
  if (!callback) {
    // Without lines the first page is the last one; else a run would never end.
    info.Done = true;
    return true;
  }
  info.Page = page;
  const int32_t start = page <= 1 ? 0 : info.StartOf(page);
  if (start < 0) return true;
  if (!canvas.SetFont(JobPrinterFont(job, canvas.Metrics()), error)) return false;
  const int32_t tabWidth = canvas.TextWidth("x") * job.TabSize;
  const TPageGeometry g = ComputePageGeometry(job, canvas);
  const int32_t h = g.LineHeight;
  const TRect& area = g.Text;

  const std::string_view header = FieldText(job.Header, sizeof(job.Header));
  const std::string_view footer = FieldText(job.Footer, sizeof(job.Footer));
  if (g.HeaderY >= 0 && page > 0) {
    canvas.DrawTextInRect(ExpandPagePlaceholders(header, page, total),
                          TRect{area.Left, g.HeaderY, area.Right, g.HeaderY + h},
                          AlignFlags(job.HeaderAlign) | DT_SINGLELINE | DT_NOCLIP);
  }

  const int32_t numberWidth = job.LineNumbers ? canvas.TextWidth("12345: ") : 0;
  const int32_t textLeft = area.Left + numberWidth;
  const int32_t textWidth = area.Right - textLeft;
  if (!job.BreakLines) {
    canvas.ExcludeClipRect(TRect{area.Right, area.Top, area.Right + g.RightMargin, area.Bottom});
  }

  const bool measuring = canvas.Mode() == TCanvasMode::Paginate;
  const int64_t firstLine = job.FirstLine;
  const int64_t lastLine = job.LastLine;
  int32_t s = start;
  int32_t y = area.Top;
  bool done = info.Done;
  // A page holds at least one line, even one taller than the text area: else every page
  // would stay empty and a run would never reach the end.
  while (!done && firstLine + s <= lastLine && (y + h <= area.Bottom || s == start)) {
    const int64_t index = firstLine + s;
    const char* raw = nullptr;
    if (index > INT32_MAX ||
        callback(job.CallbackContext, static_cast<int32_t>(index), measuring ? 1 : 0, &raw) == 0) {
      done = true;
      break;
    }
    std::string_view text = raw ? std::string_view(raw) : std::string_view();
    if (!text.empty() && text[0] == '\f') {
      if (s != start) break;
      text.remove_prefix(1);
    }
    if (job.LineNumbers) {
      canvas.DrawTextInRect(std::to_string(index + 1) + ": ",
                            TRect{area.Left, y, textLeft, y + h}, DT_RIGHT | DT_SINGLELINE);
    }
    if (!job.BreakLines) {
      canvas.TabbedTextOut(textLeft, y, text, tabWidth, textLeft);
    } else {
      bool firstRow = true;
      while (true) {
        size_t keep = canvas.TabbedTextWidth(text, tabWidth) > textWidth
                          ? BreakRowLength(canvas, text, tabWidth, textWidth)
                          : text.size();
        // Rows that do not fit above the bottom margin line are lost; the page table only
        // knows whole lines.
        if (!firstRow && y + h > g.BottomLine) break;
        canvas.TabbedTextOut(textLeft, y, text.substr(0, keep), tabWidth, textLeft);
        if (keep >= text.size()) break;
        text.remove_prefix(keep);
        y += h;
        firstRow = false;
      }
    }
    y += h;
    ++s;
    if (firstLine + s > lastLine) done = true;
  }
  // A page filled to its last line is the last page when no line follows; without this look
  // ahead an empty page with only header and footer would follow.
  if (!done && firstLine + s <= lastLine && firstLine + s <= INT32_MAX) {
    const char* next = nullptr;
    if (callback(job.CallbackContext, static_cast<int32_t>(firstLine + s), 1, &next) == 0) done = true;
  }

  if (g.FooterY >= 0 && page > 0) {
    canvas.DrawTextInRect(ExpandPagePlaceholders(footer, page, total),
                          TRect{area.Left, g.FooterY, area.Right, g.FooterY + h},
                          AlignFlags(job.FooterAlign) | DT_SINGLELINE | DT_NOCLIP);
  }
  info.Done = done;
  info.SetStart(page + 1, s);
  info.HighestPage = std::max(info.HighestPage, page + 1);
  return true;
}
