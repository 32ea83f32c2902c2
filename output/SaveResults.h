#pragma once

// A recorded scan written to a file in one format, through the checked writer: the file holds
// exactly what that format writes as a sink of the scan, every match included.

#include "files/Result.h"
#include "output/Formats.h"
#include "output/ScanRecording.h"

#include <optional>
#include <string>

namespace ravelin {

// Nothing is left at `path` unless the whole output was written; the error names the file and
// why it could not be written.
std::optional<Error> SaveResults(const ScanRecording& recording, const FormatRow& format,
                                 const std::string& path, const TextCatalog& texts);

}  // namespace ravelin
