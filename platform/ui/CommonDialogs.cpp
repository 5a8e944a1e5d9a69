// Filters of file dialogs, and the checks the layer makes of a back end's answer: names made
// full paths with the default extension, files that must exist, one file unless several are
// allowed. A font's size in points follows its pixel height.
#include "platform/ui/CommonDialogs.h"

#include <sys/stat.h>

#include <cctype>

#include "platform/ui/DialogScript.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/UiSystem.h"

namespace platform {

namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

bool Exists(const std::string& path, bool directory) {
  struct stat st {};
  if (stat(path.c_str(), &st) != 0) return false;
  return directory ? S_ISDIR(st.st_mode) : S_ISREG(st.st_mode);
}

std::string DirectoryOf(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// Wildcards of the desktop's file dialogs: '*' any run, '?' one character.
bool Wildcard(std::string_view name, std::string_view pattern) {
  if (pattern == "*.*" || pattern == "*") return true;
  size_t n = 0;
  size_t p = 0;
  size_t star = std::string_view::npos;
  size_t mark = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || std::toupper(static_cast<unsigned char>(pattern[p])) ==
                                                       std::toupper(static_cast<unsigned char>(name[n])))) {
      ++n;
      ++p;
    } else if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      mark = n;
    } else if (star != std::string_view::npos) {
      p = star + 1;
      n = ++mark;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

// Makes the back end's names full paths and checks them against the flags; false when the
// answer cannot be taken.
bool CheckAnswer(TFileDialog& d) {
  std::vector<std::string> files;
  for (std::string name : d.Files) {
    if (name.empty()) continue;
    if (name.front() != '/') {
      std::string dir = d.InitialDir.empty() ? "." : d.InitialDir;
      name = dir + (dir.back() == '/' ? "" : "/") + name;
    }
    std::string base = name.substr(name.rfind('/') + 1);
    if (!d.DefExt.empty() && base.find('.') == std::string::npos && !Exists(name, false)) {
      name += "." + d.DefExt;
    }
    if ((d.Flags & OFN_FILEMUSTEXIST) && !Exists(name, false)) return false;
    if ((d.Flags & (OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST)) && !Exists(DirectoryOf(name), true)) {
      return false;
    }
    files.push_back(std::move(name));
  }
  if (files.empty()) return false;
  if (files.size() > 1 && (d.Save || !(d.Flags & OFN_ALLOWMULTISELECT))) return false;
  d.Files = std::move(files);
  d.FileName = d.Files.front();
  return true;
}

bool RunFile(TFileDialog& d, bool save) {
  d.Save = save;
  d.Files.clear();
  std::vector<TFileFilter> filters;
  if (!d.Filter.empty() && !ParseFileFilter(d.Filter, filters)) return false;
  if (d.FilterIndex < 1 || d.FilterIndex > static_cast<int32_t>(filters.size())) d.FilterIndex = 1;
  if (d.Format < 0 || d.Format >= static_cast<int32_t>(d.Formats.size())) d.Format = 0;
  TUiBackend* backend = UiBackend();
  if (!backend || !IsUiThread()) return false;
  TFileDialog request = d;
  int32_t shown = backend->RunFileDialog(request);
  if (shown < 0) {
    request = d;
    shown = ui_detail::ScriptedFileAnswer(request, [](TFileDialog& a) { return CheckAnswer(a); });
  } else if (shown > 0 && !CheckAnswer(request)) {
    shown = 0;
  }
  if (shown <= 0) return false;
  d = std::move(request);
  return true;
}

}  // namespace

bool ParseFileFilter(std::string_view text, std::vector<TFileFilter>& out) {
  out.clear();
  if (!text.empty() && text.back() == '|') text.remove_suffix(1);
  std::vector<std::string_view> parts;
  size_t start = 0;
  while (start <= text.size()) {
    size_t bar = text.find('|', start);
    parts.push_back(text.substr(start, bar == std::string_view::npos ? std::string_view::npos : bar - start));
    if (bar == std::string_view::npos) break;
    start = bar + 1;
  }
  if (parts.size() % 2 != 0) return false;
  for (size_t i = 0; i < parts.size(); i += 2) {
    TFileFilter f;
    f.Description = std::string(Trim(parts[i]));
    std::string_view patterns = parts[i + 1];
    size_t from = 0;
    while (from <= patterns.size()) {
      size_t semi = patterns.find(';', from);
      std::string_view p = Trim(patterns.substr(from, semi == std::string_view::npos ? std::string_view::npos : semi - from));
      if (!p.empty()) f.Patterns.emplace_back(p);
      if (semi == std::string_view::npos) break;
      from = semi + 1;
    }
    if (f.Description.empty() || f.Patterns.empty()) return false;
    out.push_back(std::move(f));
  }
  return true;
}

bool MatchesFilter(std::string_view fileName, const TFileFilter& filter) {
  for (const std::string& p : filter.Patterns) {
    if (Wildcard(fileName, p)) return true;
  }
  return false;
}

bool GetOpenFileName(TFileDialog& dialog) { return RunFile(dialog, false); }
bool GetSaveFileName(TFileDialog& dialog) { return RunFile(dialog, true); }

bool BrowseForFolder(TFolderDialog& dialog) {
  TUiBackend* backend = UiBackend();
  if (!backend || !IsUiThread()) return false;
  TFolderDialog request = dialog;
  int32_t shown = backend->RunFolderDialog(request);
  if (shown < 0) shown = ui_detail::ScriptedFolderAnswer(request);
  if (shown <= 0 || !Exists(request.Path, true)) return false;
  dialog = std::move(request);
  return true;
}

bool ChooseFont(TFontDialog& dialog) {
  TUiBackend* backend = UiBackend();
  if (!backend || !IsUiThread()) return false;
  TFontDialog request = dialog;
  int32_t shown = backend->RunFontDialog(request);
  if (shown < 0) shown = ui_detail::ScriptedFontAnswer(request);
  if (shown <= 0) return false;
  if (request.Font.FaceName.empty() || request.Font.Height == 0) return false;
  if (dialog.Flags & CF_FIXEDPITCHONLY) {
    // The list offered fixed-pitch faces only; an answer outside it is not taken.
    TFont font = CreateFontIndirect(request.Font);
    const TFontInfo* info = GetFontInfo(font);
    bool fixed = info && info->FixedPitch();
    DeleteFont(font);
    if (!fixed) return false;
  }
  if (request.Font.FaceName.size() >= kFaceNameMax) request.Font.FaceName.resize(kFaceNameMax - 1);
  // The character set is the program's choice (documents are bytes of one code page).
  request.Font.CharSet = dialog.Font.CharSet;
  // Pixels of the 96 dots per inch the layer works with, as tenths of a point.
  int32_t pixels = request.Font.Height < 0 ? -request.Font.Height : request.Font.Height;
  request.PointSize = (pixels * 720 + 48) / 96;
  dialog = std::move(request);
  return true;
}

bool ChooseColor(TColorDialog& dialog) {
  TUiBackend* backend = UiBackend();
  if (!backend || !IsUiThread()) return false;
  TColorDialog request = dialog;
  int32_t shown = backend->RunColorDialog(request);
  if (shown < 0) shown = ui_detail::ScriptedColorAnswer(request);
  if (shown <= 0) return false;
  dialog = request;
  dialog.Color &= 0x00FFFFFF;
  return true;
}

}  // namespace platform
