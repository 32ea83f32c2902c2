#include "output/PassageOutput.h"

#include "engine/ScanOptions.h"

#include <algorithm>

namespace ravelin {

PassageOutput::PassageOutput(const FormatRow& format, std::ostream& out,
                             const std::array<std::string, 2>& folders)
    : format_(format), sink_(format.makePassages(PassageFormatContext{out, groups_})) {
    ScanOptions options;
    options.folders = folders;
    groups_.OnScanBegun(options);
}

void PassageOutput::OnFolderListed(const FolderListed& event) {
    if (event.pass == ScanPass::First) {
        groups_.OnPassBegun(ScanPass::First, event.files);
    }
    sink_->OnFolderListed(event);
}

void PassageOutput::OnFileUnreadable(const FileUnreadable& event) {
    sink_->OnFileUnreadable(event);
}

// Files that share a passage are joined into groups as copies are by a scan.
void PassageOutput::OnPairFound(const PassagePairFound& event) {
    if (format_.needsGroups) {
        const PairPassages& pair = event.pair;
        groups_.OnMatch(MatchFound{pair.index1, pair.index2, event.name1, event.name2,
                                   std::min(pair.percent1, pair.percent2), 0, 0, ++pairs_,
                                   noWords_});
    }
    sink_->OnPairFound(event);
}

void PassageOutput::OnScanEnded(const PassageScanEnded& event) {
    sink_->OnScanEnded(event);
}

}  // namespace ravelin
