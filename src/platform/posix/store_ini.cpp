// The INI file store: reading the file whenever it changed on disk, and saving by
// replacing it whole. Nothing unsaved is kept in memory once a save has failed.
#include "platform/posix/store_ini.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

#include "platform/posix/atomic_file.h"
#include "platform/posix/xdg_paths.h"

namespace qv {
namespace {

std::string PathKey(std::string_view section, std::string_view key) {
  return std::string(section) + "/" + std::string(key);
}

// What tells one version of a file from another: a save always makes a new inode.
std::string IdentityOf(const std::string& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) return {};
  return std::to_string(info.st_dev) + ":" + std::to_string(info.st_ino) + ":" +
         std::to_string(info.st_size) + ":" + std::to_string(info.st_mtim.tv_sec) + "." +
         std::to_string(info.st_mtim.tv_nsec);
}

// The file's bytes; false when it exists but cannot be read.
bool ReadContents(const std::string& path, std::string& text) {
  text.clear();
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return errno == ENOENT;
  char buffer[16384];
  for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) != 0;) {
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      close(fd);
      return false;
    }
    text.append(buffer, static_cast<std::size_t>(n));
  }
  close(fd);
  return true;
}

// Closed to everyone else; what the owner may do stays the owner's choice.
bool MakePrivateFolder(const std::string& path) {
  if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) return false;
  struct stat info {};
  if (stat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return false;
  return (info.st_mode & 077) == 0 || chmod(path.c_str(), info.st_mode & 0700) == 0;
}

bool MakeFolders(const std::string& path) {
  for (std::size_t slash = path.find('/', 1); slash != std::string::npos;
       slash = path.find('/', slash + 1))
    mkdir(path.substr(0, slash).c_str(), 0700);
  return MakePrivateFolder(path);
}

}  // namespace

IniSettingsStore::IniSettingsStore(std::string configHome)
    : configHome_(configHome.empty() ? ConfigHome() : std::move(configHome)) {
  // Past a file-size limit the kernel sends SIGXFSZ, whose default ends the process in the
  // middle of a save; ignored, the write fails with an error as on a full disk.
  std::signal(SIGXFSZ, SIG_IGN);
}

std::string IniSettingsStore::FilePath(std::string_view app) const {
  return configHome_ + "/" + std::string(app) + "/" + std::string(app) + ".ini";
}

IniSettingsStore::File& IniSettingsStore::Current(const std::string& path) {
  File& file = files_[path];
  const std::string identity = IdentityOf(path);
  if (identity != file.identity || identity.empty()) {
    file.readable = ReadContents(path, file.text);
    file.saved = ParseIni(file.text);
    file.damaged = file.saved.damaged;
    file.identity = identity;
  }
  return file;
}

std::string IniSettingsStore::Read(std::string_view app, std::string_view section,
                                   std::string_view key, std::string_view fallback) {
  File& file = Current(FilePath(app));
  const std::string path = PathKey(section, key);
  if (auto held = file.held.find(path); held != file.held.end()) return held->second;
  auto saved = file.saved.values.find(path);
  return saved == file.saved.values.end() ? std::string(fallback) : saved->second;
}

bool IniSettingsStore::Write(std::string_view app, std::string_view section, std::string_view key,
                             std::string_view value) {
  const std::string path = FilePath(app);
  File& file = Current(path);
  if (holding_) {
    file.held[PathKey(section, key)] = value;
    return true;
  }
  return Save(path, file, {{PathKey(section, key), std::string(value)}});
}

bool IniSettingsStore::Commit() {
  holding_ = false;
  bool ok = true;
  for (auto& [path, file] : files_) {
    if (file.held.empty()) continue;
    IniValues held;
    held.swap(file.held);  // kept or not, a commit ends the hold: nothing unsaved lingers
    ok = Save(path, Current(path), held) && ok;
  }
  return ok;
}

void IniSettingsStore::Discard() {
  holding_ = false;
  for (auto& [path, file] : files_) file.held.clear();
}

// Saves the file as last read plus the changes (callers read it again just before, so
// values another process saved meanwhile are kept). A file that cannot be read, or that
// the user made read-only, is never replaced.
bool IniSettingsStore::Save(const std::string& path, File& file, const IniValues& changes) {
  const std::string folder = path.substr(0, path.rfind('/'));
  if (!file.readable || !MakeFolders(folder)) return false;
  if (!file.identity.empty() && access(path.c_str(), W_OK) != 0) return false;
  std::string next = UpdateIni(file.text, file.saved, changes);
  // A file this reader could not make sense of is also kept beside the new one as it was.
  const bool keepDamaged = file.damaged && !file.identity.empty();
  if (!ReplaceFile(path, next, 0600, keepDamaged ? path + ".damaged" : "")) return false;
  file.saved = ParseIni(next);
  file.text = std::move(next);
  file.damaged = false;
  file.identity = IdentityOf(path);
  return true;
}

}  // namespace qv
