// QSettings in INI format as the Linux settings store. Every write is synced at once, so
// a failure reaches the caller and a crash loses nothing that was reported as saved.
#include "platform/qt/store_ini.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QSettings>
#include <QString>
#include <map>
#include <vector>

#include "platform/posix/xdg_paths.h"

namespace qv {
namespace {

QString KeyPath(std::string_view section, std::string_view key) {
  return QString::fromLatin1(section.data(), static_cast<qsizetype>(section.size())) + '/' +
         QString::fromLatin1(key.data(), static_cast<qsizetype>(key.size()));
}

bool MakePrivateFolder(const std::string& path) {
  if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) return false;
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && chmod(path.c_str(), 0700) == 0;
}

bool MakeFolders(const std::string& path) {
  for (std::size_t slash = path.find('/', 1); slash != std::string::npos;
       slash = path.find('/', slash + 1))
    mkdir(path.substr(0, slash).c_str(), 0700);
  return MakePrivateFolder(path);
}

// The file exists before QSettings first writes it, and is private whatever the umask;
// QSettings' atomic save keeps the permissions of the file it replaces.
bool MakePrivateFile(const std::string& path) {
  int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return false;
  bool ok = fchmod(fd, 0600) == 0;
  close(fd);
  return ok;
}

}  // namespace

struct IniSettingsStore::Files {
  std::map<std::string, std::unique_ptr<QSettings>, std::less<>> open;
};

IniSettingsStore::IniSettingsStore(std::string configHome)
    : configHome_(configHome.empty() ? ConfigHome() : std::move(configHome)),
      files_(std::make_unique<Files>()) {}

IniSettingsStore::~IniSettingsStore() = default;

std::string IniSettingsStore::FilePath(std::string_view app) const {
  return configHome_ + "/" + std::string(app) + "/" + std::string(app) + ".ini";
}

static QSettings& Opened(std::map<std::string, std::unique_ptr<QSettings>, std::less<>>& open,
                         const std::string& path) {
  auto& settings = open[path];
  if (!settings)
    settings = std::make_unique<QSettings>(QString::fromStdString(path), QSettings::IniFormat);
  return *settings;
}

// QSettings will not overwrite a file it cannot parse. Keep the damaged file beside the
// new one, and carry over every value that could still be read, the new one included.
bool IniSettingsStore::RecoverDamagedFile(const std::string& path) {
  std::vector<std::pair<QString, QVariant>> readable;
  {
    QSettings& damaged = Opened(files_->open, path);
    for (const QString& key : damaged.allKeys()) readable.emplace_back(key, damaged.value(key));
  }
  files_->open.erase(path);
  if (rename(path.c_str(), (path + ".damaged").c_str()) != 0 || !MakePrivateFile(path))
    return false;
  QSettings& fresh = Opened(files_->open, path);
  for (const auto& [key, value] : readable) fresh.setValue(key, value);
  fresh.sync();
  if (fresh.status() == QSettings::NoError) return true;
  files_->open.erase(path);
  return false;
}

std::string IniSettingsStore::read(std::string_view app, std::string_view section,
                                   std::string_view key, std::string_view fallback) {
  QSettings& settings = Opened(files_->open, FilePath(app));
  QVariant value = settings.value(KeyPath(section, key));
  if (!value.isValid()) return std::string(fallback);
  return value.toString().toLatin1().toStdString();
}

bool IniSettingsStore::write(std::string_view app, std::string_view section, std::string_view key,
                             std::string_view value) {
  const std::string path = FilePath(app);
  const std::string folder = path.substr(0, path.rfind('/'));
  if (!MakeFolders(folder) || !MakePrivateFile(path)) return false;
  QSettings& settings = Opened(files_->open, path);
  settings.setValue(KeyPath(section, key),
                    QString::fromLatin1(value.data(), static_cast<qsizetype>(value.size())));
  return holding_ || Sync(path);
}

bool IniSettingsStore::Commit() {
  holding_ = false;
  bool ok = true;
  std::vector<std::string> paths;
  for (const auto& [path, settings] : files_->open) paths.push_back(path);
  for (const std::string& path : paths) ok = Sync(path) && ok;
  return ok;
}

bool IniSettingsStore::Sync(const std::string& path) {
  QSettings& settings = Opened(files_->open, path);
  settings.sync();
  if (settings.status() == QSettings::FormatError) return RecoverDamagedFile(path);
  if (settings.status() == QSettings::NoError) return true;
  // Drop the unsaved values from memory too: reads must show what the file holds.
  files_->open.erase(path);
  return false;
}

}  // namespace qv
