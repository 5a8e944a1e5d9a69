// The four entry points of the velcomp plug-in. Nothing thrown below leaves them: a
// failure is the entry's "not done" result.
#include <dlfcn.h>

#include <exception>
#include <filesystem>
#include <memory>

#include "compiler/core/Charset.h"
#include "compiler/core/Compile.h"
#include "compiler/plugin/HostShapes.h"
#include "compiler/plugin/VelManager.h"
#include "platform/ui/Menu.h"
#include "resources/velcomp/Strings.h"

using namespace velhost;

namespace {

std::string PluginDirectory() {
  Dl_info info{};
  if (::dladdr(reinterpret_cast<void*>(&PluginDirectory), &info) == 0 || !info.dli_fname) {
    return ".";
  }
  std::error_code ec;
  std::filesystem::path path = std::filesystem::canonical(info.dli_fname, ec);
  if (ec) path = info.dli_fname;
  return path.parent_path().empty() ? "." : path.parent_path().string();
}

// Made on the first command and kept until the plug-in is unloaded.
VELManager& Manager() {
  static VELManager manager(PluginDirectory());
  return manager;
}

std::string VersionText() {
  const std::string version = ReadDefinitionVersion((PluginDirectory() + "/ZIRE.CFG").c_str());
  const std::string tail = version.empty() ? std::string() : "\n" + version;
  return Cp1252ToUtf8(FormatVelText(vsVelComp + vcVersionBanner, {tail})) + "\n" +
         std::string(LoadVelString(vsVelComp, vcMakerNotice));
}

}  // namespace

extern "C" {

__attribute__((visibility("default"))) THostText* _GetDLLVersion(THostText* text) {
  if (text == nullptr) return text;
  try {
    text->Text += VersionText();
  } catch (const std::exception&) {
  }
  return text;
}

__attribute__((visibility("default"))) int32_t _MergeMenu(THostMenu* menu, int16_t position,
                                                          int16_t item) {
  uint32_t id = 0;
  uint32_t label = 0;
  if (item == 0) {
    id = cmVelCompile;
    label = vcMenuCompile;
  } else if (item == 1) {
    id = cmVelEdit;
    label = vcMenuEdit;
  } else {
    return -1;
  }
  if (menu == nullptr) return -1;
  const std::string_view text = LoadVelString(vsVelComp, label);
  if (position < 0) return platform::AppendMenu(menu->Handle, platform::MF_STRING, id, text) ? 1 : 0;
  return platform::InsertMenu(menu->Handle, static_cast<uint32_t>(position),
                              platform::MF_BYPOSITION | platform::MF_STRING, id, text)
             ? 1
             : 0;
}

__attribute__((visibility("default"))) int32_t _EvCommandEnable(THostCommandEnabler* enabler) {
  if (enabler == nullptr) return 0;
  if (enabler->Id != cmVelCompile && enabler->Id != cmVelEdit) return 0;
  return enabler->Enable(true);
}

__attribute__((visibility("default"))) int32_t _EvCommand(int16_t kind, uint16_t id,
                                                          THostWindow* window,
                                                          THostFrame* frame) {
  try {
    if (kind == ekCommand) return window != nullptr ? Manager().Command(id, *window) : 0;
    if (kind == ekHostEvent) return Manager().HostEvent(id, window, frame);
  } catch (const std::exception&) {
  }
  return 0;
}

}  // extern "C"
