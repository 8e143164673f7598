// The picker's start folder and its filter of executable files.
#include "platform/qt/program_dialog.h"

#include <QFileInfo>
#include <QFileSystemModel>
#include <QSortFilterProxyModel>

namespace qv {
namespace {

constexpr const char* kProgramsFolder = "/usr/bin";

// Folders, and the files the user may run; every file once "All Files" is chosen.
class ProgramsOnly final : public QSortFilterProxyModel {
 public:
  bool all = false;

 protected:
  bool filterAcceptsRow(int row, const QModelIndex& parent) const override {
    auto* files = static_cast<QFileSystemModel*>(sourceModel());
    const QFileInfo info = files->fileInfo(files->index(row, 0, parent));
    return all || info.isDir() || info.isExecutable();
  }
};

QString StartFolder(const std::string& currentFile) {
  const QFileInfo current(QString::fromUtf8(currentFile.c_str()));
  if (!currentFile.empty() && current.isAbsolute() && current.dir().exists())
    return current.absolutePath();
  return kProgramsFolder;
}

}  // namespace

std::unique_ptr<QFileDialog> MakeProgramDialog(const FileDialogOptions& options, QWidget* owner) {
  const QString supported = QString::fromUtf8(options.filterName.c_str()) + " (*)";
  const QString all = "All Files (*)";
  auto dialog = std::make_unique<QFileDialog>(owner, QString::fromUtf8(options.title.c_str()),
                                              StartFolder(options.currentFile));
  dialog->setObjectName("FileDialog");
  dialog->setOption(QFileDialog::DontUseNativeDialog);  // the filter below needs Qt's own
  dialog->setFileMode(QFileDialog::ExistingFile);
  dialog->setNameFilters({supported, all});
  auto* programs = new ProgramsOnly;
  dialog->setProxyModel(programs);  // the dialog owns it
  QObject::connect(dialog.get(), &QFileDialog::filterSelected, [programs, all](const QString& f) {
    programs->all = f == all;
    programs->invalidate();
  });
  dialog->setWindowFlag(Qt::WindowStaysOnTopHint);
  return dialog;
}

}  // namespace qv
