// The temporary file, its checks and the rename.
#include "platform/posix/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace qv {
namespace {

bool WriteAll(int fd, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

bool KeepAs(const std::string& path, const std::string& name) {
  unlink(name.c_str());
  return link(path.c_str(), name.c_str()) == 0;
}

void SyncFolderOf(const std::string& path) {
  const int folder = open(path.substr(0, path.rfind('/')).c_str(), O_RDONLY | O_DIRECTORY);
  if (folder < 0) return;
  fsync(folder);
  close(folder);
}

// The file a path names: the path itself, or, for a link (a dotfiles manager's, say), the
// file at the end of its links, whose mode the new file keeps. Empty for a link that
// leads nowhere: a save there fails rather than putting a plain file in the link's place.
std::string FileToReplace(const std::string& path, mode_t& mode) {
  struct stat info {};
  if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
  char* real = realpath(path.c_str(), nullptr);
  if (!real) return {};
  std::string target(real);
  free(real);
  if (stat(target.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return {};
  mode = info.st_mode & 07777;
  return target;
}

}  // namespace

bool ReplaceFile(const std::string& linkOrFile, const std::string& text, mode_t mode,
                 const std::string& keepOldAs) {
  const std::string path = FileToReplace(linkOrFile, mode);
  if (path.empty()) return false;
  std::string temporary = path + ".XXXXXX";
  const int fd = mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) return false;
  struct stat written {};
  bool ok = fchmod(fd, mode) == 0 && WriteAll(fd, text) && fsync(fd) == 0 &&
            fstat(fd, &written) == 0 && written.st_size == static_cast<off_t>(text.size());
  ok = close(fd) == 0 && ok;
  if (ok && !keepOldAs.empty()) ok = KeepAs(path, keepOldAs);
  if (ok && rename(temporary.c_str(), path.c_str()) == 0) {
    SyncFolderOf(path);  // the rename itself reaches the disk
    return true;
  }
  unlink(temporary.c_str());
  return false;
}

}  // namespace qv
