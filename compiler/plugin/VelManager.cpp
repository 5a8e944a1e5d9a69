// The plug-in's commands and host events.
#include "compiler/plugin/VelManager.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "compiler/core/Charset.h"
#include "compiler/core/Compile.h"
#include "compiler/standalone/CompilerSettings.h"
#include "compiler/standalone/MessageFile.h"
#include "compiler/standalone/PortDialog.h"
#include "platform/file/SafeFileWriter.h"
#include "platform/ui/MessageBox.h"
#include "resources/velcomp/Strings.h"

using namespace velhost;

namespace {

std::string Text(uint32_t number, const std::vector<std::string>& args) {
  return Cp1252ToUtf8(FormatVelText(vsVelComp + number, args));
}

std::string Caption() { return std::string(LoadVelString(vsVelComp, vcBoxCaption)); }

void ShowError(platform::TWindow owner, const std::string& text) {
  (void)platform::MessageBox(owner, text, Caption(), platform::MB_OK | platform::MB_ICONSTOP);
}

// The editor is handed absolute paths: it runs in its own directory, and a leading "/"
// tells it the argument is a file and not a switch.
std::string Absolute(const std::string& name) {
  std::error_code ec;
  std::filesystem::path path = std::filesystem::absolute(name, ec);
  return ec ? name : path.lexically_normal().string();
}

bool SameFile(const std::string& a, const std::string& b) {
  struct stat sa {}, sb {};
  return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
         sa.st_ino == sb.st_ino;
}

}  // namespace

VELManager::VELManager(std::string pluginDir)
    : PluginDir_(std::move(pluginDir)), SettingsPath_(CompilerSettingsPath("velcomp")) {
  View_.SetOnChoose([this](int32_t line) {
    if (LastSource_.empty()) return;
    (void)StartOrReport(View_.Window(), Start_,
                        EditorCommandLine(EditorPath(), Absolute(LastSource_), line));
  });
}

std::string VELManager::Ask(THostWindow& host, uint16_t code) {
  const char* answer = "";
  THostRequest request;
  request.Code = code;
  request.Answer = &answer;
  (void)host.Request(request);
  return answer != nullptr ? std::string(answer) : std::string();
}

std::string VELManager::ProjectFile(THostWindow& host) {
  std::string project = Ask(host, hrProjectFileName);
  if (!project.empty()) ProjectName_ = project;
  return project;
}

int32_t VELManager::Command(uint16_t id, THostWindow& host) {
  if (id == cmVelCompile) {
    CompileAndTransfer(host);
    return 1;
  }
  if (id == cmVelEdit) {
    Edit(host);
    return 1;
  }
  return 0;
}

void VELManager::CompileAndTransfer(THostWindow& host) {
  TCompilerSettings settings = LoadCompilerSettings(SettingsPath_);
  auto compile = [&](platform::TWindow dialog, TPortChoice choice) {
    (void)SaveCompilerSettings(SettingsPath_, settings);
    const std::string project = ProjectFile(host);
    if (project.empty()) {
      // Without a project there is no source to name.
      ShowError(dialog, Text(vcMissingSource, {}));
      return;
    }
    TCompileJob job;
    job.Source = ReplaceExtension(project, "vel");
    job.Record = ReplaceExtension(project, "ved");
    job.Definition = PluginDir_ + "/ZIRE.CFG";
    job.Driver = Ask(host, hrDriverFileName);
    job.DataMemory = uint32_t{host.ProjectData().DataMemoryKB} * 1024u;
    const std::string messageFile = ReplaceExtension(project, "err");

    TMessageList messages;
    const TCompileOutcome outcome = CompileWithStatus(dialog, job, messages);
    ProjectChanged_ = true;  // the record was replaced or removed
    if (!WriteMessageFile(messageFile, messages)) {
      ShowError(dialog, Text(vcNotWritten, {messageFile}));
    }
    LastSource_ = job.Source;
    View_.ShowFile(host, messageFile);
    if (choice != pcCompileTransfer || outcome.Cancelled || outcome.Result != kCompileOk ||
        messages.ErrorCount() > 0) {
      return;
    }
    (void)AskAndTransfer(dialog, Start_, false, PluginDir_, settings.ComPort, job.Record);
  };
  (void)VELCompilerDialog::Run(host.MainWindow(), settings, compile);
}

void VELManager::Edit(THostWindow& host) {
  const std::string project = ProjectFile(host);
  if (project.empty()) {
    ShowError(host.MainWindow(), Text(vcMissingSource, {}));
    return;
  }
  const std::string source = ReplaceExtension(project, "vel");
  struct stat st {};
  if (::stat(source.c_str(), &st) != 0) {
    // O_EXCL: a file that appeared in the meantime is not emptied.
    const int fd = ::open(source.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd >= 0) {
      ::close(fd);
    } else if (errno != EEXIST) {
      ShowError(host.MainWindow(), Text(vcNotWritten, {source}));
      return;
    }
  }
  (void)StartOrReport(host.MainWindow(), Start_, EditorCommandLine(EditorPath(), Absolute(source)));
}

int32_t VELManager::HostEvent(uint16_t event, THostWindow* host, THostFrame* frame) {
  switch (event) {
    case heCopySource:
      return host && frame ? CopySource(*host, *frame) : 0;
    case heQueryChanged:
      return ProjectChanged_ ? 1 : 0;
    case heClearChanged:
      ProjectChanged_ = false;
      return 0;
    case heCloseProject:
      ProjectChanged_ = false;
      ProjectName_.clear();
      return 0;
    default:
      return 0;
  }
}

int32_t VELManager::CopySource(THostWindow& host, const THostFrame& frame) {
  if (frame.FileName.empty()) return 0;
  const std::string from = ReplaceExtension(frame.FileName, "vel");
  const std::string project = ProjectFile(host);
  if (project.empty()) return 0;
  const std::string to = ReplaceExtension(project, "vel");
  struct stat st {};
  if (::stat(from.c_str(), &st) != 0) return 0;  // nothing to copy, no message
  // Copying a file onto itself would empty it.
  if (SameFile(from, to)) return 0;
  const platform::TWindow owner = host.MainWindow();
  if (::stat(to.c_str(), &st) == 0 &&
      platform::MessageBox(owner, Text(vcReplaceQuestion, {to}), Caption(),
                           platform::MB_YESNO | platform::MB_ICONQUESTION) != platform::IDYES) {
    return 0;
  }
  const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) {
    ShowError(owner, Text(vcNotRead, {from}));
    return 0;
  }
  // The old source stays whole until the copy is complete.
  platform::TSafeFileWriter out;
  if (out.Open(to.c_str()) != 0) {
    ::close(in);
    ShowError(owner, Text(vcNotWritten, {to}));
    return 0;
  }
  char block[512];
  bool readFailed = false;
  bool writeFailed = false;
  while (true) {
    const ssize_t got = ::read(in, block, sizeof block);
    if (got < 0) {
      if (errno == EINTR) continue;
      readFailed = true;
      break;
    }
    if (got == 0) break;
    ssize_t done = 0;
    while (done < got) {
      const ssize_t put = ::write(out.Handle(), block + done, static_cast<size_t>(got - done));
      if (put < 0 && errno == EINTR) continue;
      if (put <= 0) {
        writeFailed = true;
        break;
      }
      done += put;
    }
    if (writeFailed) break;
  }
  ::close(in);
  if (readFailed) {
    ShowError(owner, Text(vcNotRead, {from}));
    return 0;
  }
  if (writeFailed || out.Commit() != 0) {
    ShowError(owner, Text(vcNotWritten, {to}));
    return 0;
  }
  ProjectChanged_ = true;
  return 1;
}
