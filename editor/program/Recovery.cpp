// Recovery copies: the file format, the timer, the signal watcher and the restore offer.
#include "editor/program/Recovery.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "editor/frame/Frame.h"
#include "editor/frame/ShowMessage.h"
#include "editor/text/ChildAccess.h"
#include "editor/text/ChildWindowProc.h"
#include "editor/text/EditChildData.h"
#include "platform/file/SafeFileWriter.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Window.h"

using namespace platform;

namespace {

constexpr std::string_view kMagic = "ZKREC1\n";
constexpr uintptr_t kRecoveryTimer = 0x5A52;
constexpr uint32_t kRecoveryPeriodMs = 5000;

int g_SignalPipe[2] = {-1, -1};

void OnSignal(int sig) {
  uint8_t b = static_cast<uint8_t>(sig);
  (void)!::write(g_SignalPipe[1], &b, 1);
}

uint64_t Hash(std::string_view bytes) {
  uint64_t h = 1469598103934665603ull;
  for (unsigned char c : bytes) h = (h ^ c) * 1099511628211ull;
  return h;
}

bool WriteFileAtomically(const std::string& path, const std::string& bytes) {
  std::string temp = path + ".tmp";
  int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return false;
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n <= 0) {
      if (n < 0 && errno == EINTR) continue;
      ::close(fd);
      ::unlink(temp.c_str());
      return false;
    }
    done += static_cast<size_t>(n);
  }
  bool ok = ::fsync(fd) == 0;
  ok = ::close(fd) == 0 && ok;
  if (!ok || ::rename(temp.c_str(), path.c_str()) != 0) {
    ::unlink(temp.c_str());
    return false;
  }
  return true;
}

bool ReadWholeFile(const std::string& path, std::string& out) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return false;
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::getuid()) {
    ::close(fd);
    return false;
  }
  out.clear();
  char buf[65536];
  for (;;) {
    ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    out.append(buf, static_cast<size_t>(n));
  }
  ::close(fd);
  return true;
}

// "<pid>-<n>.zkr": the pid of the session that wrote it.
pid_t WriterOf(const std::string& name) {
  return static_cast<pid_t>(std::strtol(name.c_str(), nullptr, 10));
}

}  // namespace

std::string FormatRecoveryCopy(const TRecoveryCopy& copy) {
  std::string out(kMagic);
  out += copy.FileName;
  out += '\n';
  out += copy.Title;
  out += '\n';
  out += copy.Text;
  return out;
}

bool ParseRecoveryCopy(std::string_view bytes, TRecoveryCopy& copy) {
  if (bytes.substr(0, kMagic.size()) != kMagic) return false;
  bytes.remove_prefix(kMagic.size());
  size_t end = bytes.find('\n');
  if (end == std::string_view::npos) return false;
  copy.FileName = std::string(bytes.substr(0, end));
  bytes.remove_prefix(end + 1);
  end = bytes.find('\n');
  if (end == std::string_view::npos) return false;
  copy.Title = std::string(bytes.substr(0, end));
  copy.Text = std::string(bytes.substr(end + 1));
  // Names hold no control characters; a copy that says otherwise is not ours.
  for (char c : copy.FileName + copy.Title) {
    if (static_cast<unsigned char>(c) < 32) return false;
  }
  return true;
}

std::string RecoveryDirectory() {
  std::string base;
  const char* state = std::getenv("XDG_STATE_HOME");
  if (state && *state == '/') {
    base = state;
  } else {
    const char* home = std::getenv("HOME");
    if (!home || *home != '/') return {};
    base = std::string(home) + "/.local/state";
  }
  // Each level is made when missing; the last one private.
  std::string path;
  size_t i = 1;
  while (i <= base.size()) {
    size_t j = base.find('/', i);
    if (j == std::string::npos) j = base.size();
    path = base.substr(0, j);
    (void)::mkdir(path.c_str(), 0700);
    i = j + 1;
  }
  std::string dir = base + "/zkedit32";
  if (::mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST) return {};
  struct stat st;
  if (::lstat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid()) return {};
  if ((st.st_mode & 077) != 0) (void)::chmod(dir.c_str(), 0700);
  return dir;
}

TRecovery::TRecovery(TFrame& frame, std::string directory) : Frame_(frame), Dir_(std::move(directory)) {
  Frame_.ProgramHook = [this](uint32_t message, uintptr_t wParam, intptr_t) {
    if (message == WM_TIMER && wParam == kRecoveryTimer) {
      WriteCopies();
      return true;
    }
    if (message == wm_RecoverAndQuit) {
      RecoverAndQuit();
      return true;
    }
    return false;
  };
  if (Frame_.Window) SetTimer(Frame_.Window, kRecoveryTimer, kRecoveryPeriodMs);
  if (g_SignalPipe[0] < 0 && ::pipe2(g_SignalPipe, O_CLOEXEC) != 0) return;
  struct sigaction action{};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGHUP, &action, nullptr);
  TWindow window = Frame_.Window;
  Watcher_ = std::thread([window] {
    uint8_t b = 0;
    while (::read(g_SignalPipe[0], &b, 1) == 1) {
      if (b == 0) return;  // Stop
      PostMessage(window, wm_RecoverAndQuit, 0, 0);
    }
  });
}

TRecovery::~TRecovery() {
  Stop();
  Frame_.ProgramHook = nullptr;
}

void TRecovery::Stop() {
  if (Watcher_.joinable()) {
    signal(SIGTERM, SIG_DFL);
    signal(SIGHUP, SIG_DFL);
    uint8_t b = 0;
    (void)!::write(g_SignalPipe[1], &b, 1);
    Watcher_.join();
  }
  if (Frame_.Window) KillTimer(Frame_.Window, kRecoveryTimer);
}

void TRecovery::WriteCopies() {
  if (Dir_.empty()) return;
  std::map<TWindow, std::pair<std::string, uint64_t>> still;
  for (TWindow w : Frame_.Documents()) {
    auto* edit = dynamic_cast<TEditChildData*>(GetChildData(w));
    if (!edit || !edit->Modified) continue;
    TRecoveryCopy copy;
    copy.FileName = edit->FileName;
    copy.Title = DocumentTitle(w);
    for (int32_t i = 0; i < edit->Lines.Count(); ++i) {
      if (i) copy.Text += "\r\n";
      copy.Text += edit->Lines.Text(i);
    }
    std::string bytes = FormatRecoveryCopy(copy);
    uint64_t hash = Hash(bytes);
    auto it = Written_.find(w);
    std::string path;
    if (it != Written_.end()) {
      path = it->second.first;
      if (it->second.second == hash) {
        still[w] = it->second;
        continue;
      }
    } else {
      path = Dir_ + "/" + std::to_string(::getpid()) + "-" + std::to_string(++Counter_) + ".zkr";
    }
    if (WriteFileAtomically(path, bytes)) still[w] = {path, hash};
  }
  // Saved or closed documents need no copy any more.
  for (auto& [w, entry] : Written_) {
    if (!still.count(w)) ::unlink(entry.first.c_str());
  }
  Written_ = std::move(still);
}

void TRecovery::Clear() {
  if (Terminated_) return;
  for (auto& [w, entry] : Written_) ::unlink(entry.first.c_str());
  Written_.clear();
}

void TRecovery::RecoverAndQuit() {
  WriteCopies();
  Terminated_ = true;
  // Nothing is asked: the session is ending. The copies stay for the next start.
  if (Frame_.Window) DestroyWindow(Frame_.Window);
}

void TRecovery::OfferRestore() {
  if (Dir_.empty()) return;
  DIR* dir = ::opendir(Dir_.c_str());
  if (!dir) return;
  std::vector<std::string> found;
  while (dirent* e = ::readdir(dir)) {
    std::string name = e->d_name;
    if (name.size() < 5 || name.compare(name.size() - 4, 4, ".zkr") != 0) continue;
    pid_t writer = WriterOf(name);
    // A copy of a session that still runs belongs to it.
    if (writer > 0 && writer != ::getpid() && ::kill(writer, 0) == 0) continue;
    found.push_back(Dir_ + "/" + name);
  }
  ::closedir(dir);
  if (found.empty()) return;
  std::string text = "Es gibt " + std::to_string(found.size()) +
                     " Wiederherstellungskopie(n) ungesicherter Dateien\naus einer früheren "
                     "Sitzung.\n\nJetzt wiederherstellen? (Nein verwirft sie)";
  int32_t answer = AskYesNoCancel(Frame_.Window, text, 48);
  if (answer < 0) return;
  for (const std::string& path : found) {
    std::string bytes;
    TRecoveryCopy copy;
    if (answer == 1 && ReadWholeFile(path, bytes) && ParseRecoveryCopy(bytes, copy)) {
      TWindow w = Frame_.CreateDocumentWindow(1, "", nullptr, false);
      if (auto* edit = dynamic_cast<TEditChildData*>(GetChildData(w))) {
        edit->InsertTextAtCaret(copy.Text);
        std::string from = copy.FileName.empty() ? copy.Title : copy.FileName;
        SetWindowText(w, DocumentTitle(w) + " (aus " + from + ")");
      } else {
        continue;  // kept for the next start
      }
    }
    ::unlink(path.c_str());
  }
  Frame_.ActiveChanged();
}

void TRecovery::OfferInterruptedSaves() {
  for (const platform::TInterruptedSave& save : platform::FindInterruptedSaves()) {
    std::string text = "Das Speichern von\n\"" + save.Target +
                       "\"\nwurde unterbrochen; die Datei kann besch\xC3\xA4" "digt sein. Ihr alter "
                       "Inhalt ist erhalten.\n\nAlten Inhalt wiederherstellen?\n(Nein beh\xC3\xA4lt die "
                       "Datei, wie sie ist; Abbrechen fragt beim n\xC3\xA4" "chsten Start wieder.)";
    int32_t answer = AskYesNoCancel(Frame_.Window, text, 48);
    if (answer < 0) continue;
    if (answer == 1) {
      std::string old;
      if (!ReadWholeFile(save.Copy, old) ||
          platform::ReplaceFileContent(save.Target.c_str(), old) != 0) {
        // The copy stays for another try.
        ShowInfo(Frame_.Window,
                 "Der alte Inhalt konnte nicht zur\xC3\xBC" "ckgeschrieben werden. Er liegt weiter in\n\"" +
                     save.Copy + "\"",
                 48, 3);
        continue;
      }
    }
    platform::DropInterruptedSave(save);
  }
}
