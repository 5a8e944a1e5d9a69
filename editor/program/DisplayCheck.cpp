// Probing the display named by the environment.
#include "editor/program/DisplayCheck.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

bool ConnectsTo(const std::string& path, bool abstract) {
  int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  size_t offset = abstract ? 1 : 0;
  if (path.size() + offset >= sizeof address.sun_path) {
    ::close(fd);
    return false;
  }
  std::memcpy(address.sun_path + offset, path.c_str(), path.size());
  socklen_t length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + offset + path.size());
  bool ok = ::connect(fd, reinterpret_cast<sockaddr*>(&address), length) == 0;
  ::close(fd);
  return ok;
}

}  // namespace

bool DisplayReachable() {
  const char* qpa = std::getenv("QT_QPA_PLATFORM");
  if (qpa && *qpa) return true;
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  if (wayland && *wayland) return true;
  const char* display = std::getenv("DISPLAY");
  if (!display || !*display) return false;
  std::string d = display;
  // ":N", ":N.S" or "unix:N" are local: the server's socket must take a connection, so that
  // the toolkit does not abort on an unreachable one. Other forms (host:N) are left to it.
  std::string number;
  if (d[0] == ':') number = d.substr(1);
  else if (d.rfind("unix:", 0) == 0) number = d.substr(5);
  else return true;
  number = number.substr(0, number.find('.'));
  if (number.empty()) return false;
  std::string path = "/tmp/.X11-unix/X" + number;
  return ConnectsTo(path, true) || ConnectsTo(path, false);
}


std::string_view NoDisplayMessage() {
  return "zkedit32: keine grafische Anzeige erreichbar (DISPLAY/WAYLAND_DISPLAY) - der Editor "
         "braucht eine; \"zkedit32 --help\" zeigt die Aufrufzeile.\n";
}
