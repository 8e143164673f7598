// Replacing a file as one step: the new text goes to a temporary file in the same folder,
// is checked on the disk, and is renamed over the old file. Readers and a crash at any
// moment see either the old file or the new one whole.
#pragma once

#include <sys/types.h>

#include <string>

namespace qv {

// False, with the old file untouched and no temporary left behind, when any write, the
// flush to the disk, the size the disk reports, the close or the rename failed. With
// keepOldAs, the old file also stays under that name. A path that is a link replaces the
// file it leads to, in that file's folder and with its mode; a link that leads nowhere
// is a failed save.
bool ReplaceFile(const std::string& path, const std::string& text, mode_t mode,
                 const std::string& keepOldAs = {});

}  // namespace qv
