// The host's project window, its project file and the calls into the plug-in.
#include "tools/velhost/VelHost.h"

#include <dlfcn.h>

#include <filesystem>

#include "platform/profile/ProfileFile.h"
#include "platform/ui/CommonDialogs.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Mdi.h"
#include "platform/ui/Menu.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Window.h"

namespace velhost {

using namespace platform;

namespace {

constexpr std::string_view kFrameClass = "VELHOST";
constexpr std::string_view kFrameCaption = "VEL Projekt";
constexpr int32_t kClientId = 1;

enum THostCommand : uint16_t {
  cmOpenProject = 100,
  cmCopySource = 101,
  cmCloseProject = 102,
  cmExit = 103,
  cmFirstChild = 200,
};

// The enabler the host hands the plug-in for one menu item.
class TMenuEnabler final : public THostCommandEnabler {
 public:
  TMenuEnabler(TMenu menu, uint16_t id) : Menu_(menu) { Id = id; }
  int32_t Enable(bool enable) override {
    Verdict = enable ? 1 : 0;
    if (Menu_ != 0) EnableMenuItem(Menu_, Id, MF_BYCOMMAND | (enable ? MF_ENABLED : MF_GRAYED));
    return 1;
  }
  int32_t Verdict = -1;

 private:
  TMenu Menu_;
};

std::string AbsolutePath(const std::string& name, const std::filesystem::path& base) {
  std::filesystem::path path(name);
  if (path.is_relative()) path = base / path;
  return path.lexically_normal().string();
}

}  // namespace

int32_t LoadProject(const std::string& fileName, TVelProject& project) {
  std::error_code ec;
  const std::filesystem::path absolute = std::filesystem::absolute(fileName, ec);
  if (ec || !std::filesystem::is_regular_file(absolute, ec)) return -1;
  TProfileFile file(absolute.string());
  if (file.Load() != 0) return -1;
  project = TVelProject{};
  project.FileName = absolute.lexically_normal().string();
  const std::string driver = file.ReadString("Projekt", "Treiber", "");
  if (!driver.empty()) project.Driver = AbsolutePath(driver, absolute.parent_path());
  const int32_t kb = file.ReadInt("Projekt", "Datenspeicher", 4);
  project.DataMemoryKB = static_cast<uint16_t>(kb < 1 ? 1 : kb > 0xFFFF ? 0xFFFF : kb);
  return 0;
}

TVelHost::~TVelHost() {
  if (Frame_ != 0 && IsWindow(Frame_)) DestroyWindow(Frame_);
  if (Library_ != nullptr) ::dlclose(Library_);
}

bool TVelHost::LoadPlugin(const std::string& path, std::string* reason) {
  void* library = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) {
    if (reason) *reason = ::dlerror();
    return false;
  }
  TPluginEntries entries;
  entries.GetDLLVersion = reinterpret_cast<TGetDLLVersion>(::dlsym(library, "_GetDLLVersion"));
  entries.MergeMenu = reinterpret_cast<TMergeMenu>(::dlsym(library, "_MergeMenu"));
  entries.EvCommandEnable =
      reinterpret_cast<TEvCommandEnable>(::dlsym(library, "_EvCommandEnable"));
  entries.EvCommand = reinterpret_cast<TEvCommand>(::dlsym(library, "_EvCommand"));
  if (!entries.GetDLLVersion || !entries.MergeMenu || !entries.EvCommandEnable ||
      !entries.EvCommand) {
    if (reason) *reason = path + ": Einsprungpunkte fehlen";
    ::dlclose(library);
    return false;
  }
  if (Library_ != nullptr) ::dlclose(Library_);
  Library_ = library;
  Entries_ = entries;
  return true;
}

bool TVelHost::Create() {
  if (Frame_ != 0) return true;
  if (!FindWindowClass(kFrameClass)) {
    TWindowClass cls;
    cls.Name = std::string(kFrameClass);
    cls.Proc = FrameProc;
    cls.Background = COLOR_BTNFACE + 1;
    if (!RegisterWindowClass(cls)) return false;
  }
  return CreateWindowEx(0, kFrameClass, kFrameCaption, 0, TRect{60, 60, 860, 620}, 0, this) != 0;
}

intptr_t TVelHost::FrameProc(TWindow window, uint32_t message, uintptr_t wParam,
                             intptr_t lParam) {
  if (message == WM_CREATE) {
    auto* cs = reinterpret_cast<const TCreateStruct*>(lParam);
    auto* self = static_cast<TVelHost*>(const_cast<void*>(cs->CreateParams));
    SetWindowExtra(window, 0, reinterpret_cast<intptr_t>(self));
    self->Frame_ = window;
    TMenu bar = CreateMenu();
    TMenu project = CreatePopupMenu();
    AppendMenu(project, MF_STRING, cmOpenProject, "Projekt ö&ffnen...");
    AppendMenu(project, MF_STRING, cmCopySource, "VEL-&Quelle übernehmen...");
    AppendMenu(project, MF_STRING, cmCloseProject, "Projekt &schließen");
    AppendMenu(project, MF_SEPARATOR, 0, "");
    AppendMenu(project, MF_STRING, cmExit, "&Beenden");
    TMenu vel = CreatePopupMenu();
    TMenu windows = CreatePopupMenu();
    AppendMenu(bar, MF_POPUP, project, "&Projekt");
    AppendMenu(bar, MF_POPUP, vel, "&VEL");
    AppendMenu(bar, MF_POPUP, windows, "&Fenster");
    // The plug-in's items go into their own popup, in its order.
    if (self->Entries_.MergeMenu) {
      THostMenu menu{vel};
      (void)self->Entries_.MergeMenu(&menu, -1, 0);
      (void)self->Entries_.MergeMenu(&menu, -1, 1);
    }
    if (!SetMenu(window, bar)) return -1;
    self->Client_ = CreateMdiClient(window, GetClientRect(window), WS_CHILD | WS_VISIBLE,
                                    kClientId, TClientCreateStruct{windows, cmFirstChild});
    return self->Client_ != 0 ? 0 : -1;
  }
  auto* self = reinterpret_cast<TVelHost*>(GetWindowExtra(window, 0));
  if (self == nullptr) return DefWindowProc(window, message, wParam, lParam);
  return self->Handle(message, wParam, lParam);
}

intptr_t TVelHost::Handle(uint32_t message, uintptr_t wParam, intptr_t lParam) {
  switch (message) {
    case WM_INITMENUPOPUP:
      EnableItems(static_cast<TMenu>(wParam));
      break;
    case WM_COMMAND: {
      const uint16_t id = static_cast<uint16_t>(LoWord(wParam));
      if (id >= cmFirstChild && id < cmFirstChild + 100) break;
      switch (id) {
        case cmOpenProject: ChooseProject(); return 0;
        case cmCopySource: ChooseSource(); return 0;
        case cmCloseProject: (void)Notify(heCloseProject); Project_ = {}; return 0;
        case cmExit: PostMessage(Frame_, WM_CLOSE, 0, 0); return 0;
        default: (void)RunCommand(id); return 0;
      }
    }
    case WM_CLOSE:
      (void)Notify(heCloseProject);
      DestroyWindow(Frame_);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY:
      SetWindowExtra(Frame_, 0, 0);
      Frame_ = 0;
      Client_ = 0;
      return 0;
    default:
      break;
  }
  return DefFrameProc(Frame_, Client_, message, wParam, lParam);
}

void TVelHost::EnableItems(TMenu popup) {
  if (!Entries_.EvCommandEnable) return;
  const int32_t count = GetMenuItemCount(popup);
  for (int32_t i = 0; i < count; ++i) {
    const uint32_t id = GetMenuItemID(popup, i);
    if (id == 0 || id == UINT32_MAX || id < 1000) continue;
    // Items of the plug-in are off unless it enables them.
    EnableMenuItem(popup, id, MF_BYCOMMAND | MF_GRAYED);
    TMenuEnabler enabler(popup, static_cast<uint16_t>(id));
    (void)Entries_.EvCommandEnable(&enabler);
  }
}

int32_t TVelHost::CommandState(uint16_t id) const {
  if (!Entries_.EvCommandEnable) return -1;
  TMenuEnabler enabler(0, id);
  (void)Entries_.EvCommandEnable(&enabler);
  return enabler.Verdict;
}

void TVelHost::ChooseProject() {
  TFileDialog dialog;
  dialog.Owner = Frame_;
  dialog.Title = "Projekt öffnen";
  dialog.Filter = "VEL-Projekte (*.vpj)|*.vpj|Alle Dateien (*.*)|*.*|";
  dialog.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
  if (GetOpenFileName(dialog) && !dialog.Files.empty()) (void)OpenProject(dialog.Files[0]);
}

void TVelHost::ChooseSource() {
  TFileDialog dialog;
  dialog.Owner = Frame_;
  dialog.Title = "VEL-Quelle übernehmen";
  dialog.Filter = "VEL-Quellen (*.vel)|*.vel|Alle Dateien (*.*)|*.*|";
  dialog.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
  if (GetOpenFileName(dialog) && !dialog.Files.empty()) (void)CopySourceIntoProject(dialog.Files[0]);
}

bool TVelHost::OpenProject(const std::string& fileName) {
  TVelProject project;
  if (LoadProject(fileName, project) != 0) return false;
  (void)Notify(heCloseProject);
  Project_ = project;
  Data_.DataMemoryKB = project.DataMemoryKB;
  if (Frame_ != 0) {
    SetWindowText(Frame_, std::string(kFrameCaption) + " - " +
                              std::filesystem::path(project.FileName).filename().string());
  }
  return true;
}

int32_t TVelHost::CopySourceIntoProject(const std::string& fileName) {
  if (!Entries_.EvCommand) return 0;
  THostFrame frame{Frame_, fileName};
  return Entries_.EvCommand(ekHostEvent, heCopySource, this, &frame);
}

int32_t TVelHost::RunCommand(uint16_t id) {
  if (!Entries_.EvCommand) return 0;
  THostFrame frame{Frame_, {}};
  return Entries_.EvCommand(ekCommand, id, this, &frame);
}

int32_t TVelHost::Notify(uint16_t event) {
  if (!Entries_.EvCommand) return 0;
  THostFrame frame{Frame_, {}};
  return Entries_.EvCommand(ekHostEvent, event, this, &frame);
}

std::string TVelHost::PluginVersion() const {
  THostText text;
  if (Entries_.GetDLLVersion) (void)Entries_.GetDLLVersion(&text);
  return text.Text;
}

intptr_t TVelHost::Request(THostRequest& request) {
  if (request.Answer == nullptr) return 0;
  switch (request.Code) {
    case hrProjectFileName: Answer_ = Project_.FileName; break;
    case hrDriverFileName: Answer_ = Project_.Driver; break;
    default: return 0;
  }
  *request.Answer = Answer_.c_str();
  return Answer_.empty() ? 0 : 1;
}

}  // namespace velhost
