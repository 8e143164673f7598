// Writing and removing the XDG autostart file. The file is written to a temporary name
// and renamed into place, so a crash never leaves a half-written entry.
#include "platform/posix/autostart_xdg.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>

#include "platform/posix/atomic_file.h"
#include "platform/posix/xdg_paths.h"

namespace qv {

std::string XdgAutostart::RunValueNameOf(std::string_view programPath) const {
  return FileNameOf(programPath, '/');
}

namespace {

// A string value of a desktop entry: backslash, line break, tab and carriage return
// escaped.
std::string DesktopString(std::string_view text) {
  std::string value;
  for (char c : text) {
    if (c == '\\')
      value += "\\\\";
    else if (c == '\n')
      value += "\\n";
    else if (c == '\t')
      value += "\\t";
    else if (c == '\r')
      value += "\\r";
    else
      value += c;
  }
  return value;
}

}  // namespace

std::string ExecLineFor(std::string_view programPath) {
  // Inside the quotes ", `, $ and \ take a backslash, and % is the field-code escape; the
  // whole is then a string value like any other.
  std::string quoted = "\"";
  for (char c : programPath) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
    if (c == '%') quoted += '%';
    quoted += c;
  }
  return DesktopString(quoted + "\"");
}

XdgAutostart::XdgAutostart(std::string configHome)
    : folder_((configHome.empty() ? ConfigHome() : configHome) + "/autostart") {}

std::string XdgAutostart::EntryPath(std::string_view name) const {
  return folder_ + "/" + std::string(name) + ".desktop";
}

bool XdgAutostart::SaveRunValue(std::string_view name, std::string_view programPath) {
  if (name.empty()) return false;
  const std::string parent = folder_.substr(0, folder_.rfind('/'));
  mkdir(parent.c_str(), 0700);
  mkdir(folder_.c_str(), 0700);
  const std::string contents =
      "[Desktop Entry]\n"
      "Type=Application\n"
      "Name=Velmora Tray Menu\n"
      "Exec=" +
      ExecLineFor(programPath) +
      "\n"
      // Once the program is gone (its package removed), the desktop skips the entry.
      "TryExec=" +
      DesktopString(programPath) +
      "\n"
      "Terminal=false\n"
      "X-GNOME-Autostart-enabled=true\n";
  return ReplaceFile(EntryPath(name), contents, 0644);
}

bool XdgAutostart::HasRunValue(std::string_view name) {
  return !name.empty() && access(EntryPath(name).c_str(), F_OK) == 0;
}

bool XdgAutostart::DeleteRunValue(std::string_view name) {
  if (name.empty()) return true;
  return unlink(EntryPath(name).c_str()) == 0 || errno == ENOENT;
}

}  // namespace qv
