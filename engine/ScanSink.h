#pragma once

// What a scan tells whoever listens: structured events, in the order they happen. The report
// text, the tab-separated list and the window's labels are each one sink; a scan may have several.

#include "engine/ScanOptions.h"
#include "engine/SegmentMatcher.h"

#include <cstdint>
#include <string>
#include <vector>

namespace ravelin {

enum class ScanPass { First = 0, Second = 1 };

struct FolderListed {
    ScanPass pass;
    const std::string& path;
    int32_t files;  // matching files; 0 ends the scan
    // Set when the folder could not be listed at all; the scan then ends too.
    const Error* unreadable;
};

struct FileBegun {
    ScanPass pass;
    int32_t index;  // 0-based
    int32_t files;
    const std::string& name;
};

struct FileUnreadable {
    ScanPass pass;
    const std::string& path;
    const std::string& reason;
};

// One pair whose test segments reached the threshold under the first shift of the try order.
struct MatchFound {
    int32_t index1;  // in the 1st and the 2nd folder
    int32_t index2;
    const std::string& name1;
    const std::string& name2;
    int32_t percent;
    int32_t mode;         // 2: the 1st-folder side was shifted; 1: the 2nd-folder side
    int32_t shift;        // words
    int32_t matchNumber;  // 1 for the scan's first match
    // The reduced words each side compared (Windows-1252), each followed by one space.
    const SegmentWords& segments;

    bool Exact() const { return percent == 100; }
};

enum class ScanEnd {
    Complete,     // ran to its summary
    Stopped,      // the user stopped it
    EmptyFolder,  // a folder had no matching files
    UnreadableFolder,
};

struct ScanEnded {
    ScanEnd how;
    int32_t matches;
    double seconds = 0;  // from the scan's start
};

class ScanSink {
  public:
    virtual ~ScanSink() = default;
    virtual void OnScanBegun(const ScanOptions& /*options*/) {}
    virtual void OnFolderListed(const FolderListed& /*event*/) {}
    virtual void OnPassBegun(ScanPass /*pass*/, int32_t /*files*/) {}
    virtual void OnFileBegun(const FileBegun& /*event*/) {}
    virtual void OnFileUnreadable(const FileUnreadable& /*event*/) {}
    virtual void OnMatch(const MatchFound& /*event*/) {}
    virtual void OnPassEnded(ScanPass /*pass*/) {}
    virtual void OnScanEnded(const ScanEnded& /*event*/) {}
};

}  // namespace ravelin
