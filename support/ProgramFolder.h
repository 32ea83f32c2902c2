#pragma once

// Where the running program and its data files lie. Folders are UTF-8 on every platform.

#include <string>

namespace ravelin {

// Folder of the running executable, without a trailing separator unless it is a root folder; ""
// when it cannot be found.
std::string ProgramFolder();

// Where the program's data files lie: beside the executable in a build tree, or share/ravelin
// beside bin/ once installed. `probe` is a file that every data folder has.
std::string DataFolder(const std::string& programFolder, const std::string& probe);

}  // namespace ravelin
