// The Qt program picker: it opens in the folder of the slot's current program, else in
// /usr/bin, and its first filter ("Supported Files") lists the programs only, that is
// executable files, the Linux counterpart of *.exe;*.com;*.bat; "All Files" comes second.
#pragma once

#include <QFileDialog>
#include <memory>

#include "platform/platform.h"

namespace qv {

std::unique_ptr<QFileDialog> MakeProgramDialog(const FileDialogOptions& options, QWidget* owner);

}  // namespace qv
