// Header and footer templates of the page setup: &N name, &D date, &U time, &S page number,
// &G page total.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/file/File.h"

struct TTemplateValues {
  std::string Name;  // the document's file name without directory, or the window title
  // With UseFileDate: the file's date and time; without a file date &D and &U give nothing.
  bool UseFileDate = false;
  bool HasFileDate = false;
  platform::TFileTime FileDate;
  // The moment of printing; asked only when the template holds &D or &U.
  std::function<int64_t()> Now;
};

// The expanded text, at most 150 characters: an expansion that would not fit is left out
// whole. "&" before any other character is copied as it is.
std::string ExpandPageTemplate(std::string_view text, const TTemplateValues& values);

// German short date "dd.mm.yyyy", short time "hh:mm" and long time "hh:mm:ss", local time.
std::string TemplateDate(int64_t secondsSince1970);
std::string TemplateShortTime(int64_t secondsSince1970);
std::string TemplateLongTime(int64_t secondsSince1970);
