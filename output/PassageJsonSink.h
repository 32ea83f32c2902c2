#pragma once

// JSON Lines of a passage scan: "folder" and "unreadable" lines as a scan writes them, a
// "match" per pair that shares passages, with every passage of the pair on both sides (word
// indices, the end exclusive, and the bytes of the file as stored), a "merge" when a pair joins
// two groups, and a final "summary".

#include "output/MatchNames.h"
#include "output/PassageFormatSink.h"

#include <cstdint>
#include <ostream>
#include <string>

namespace ravelin {

class PassageJsonSink final : public PassageFormatSink {
  public:
    PassageJsonSink(std::ostream& out, const MatchGroups& groups) : out_(out), groups_(groups) {}

    void OnFolderListed(const FolderListed& event) override;
    void OnFileUnreadable(const FileUnreadable& event) override;
    void OnPairFound(const PassagePairFound& event) override;
    void OnScanEnded(const PassageScanEnded& event) override;

  private:
    std::ostream& out_;
    const MatchGroups& groups_;
    MatchNames names_;
    int32_t files_[2] = {0, 0};
    std::string line_;
};

}  // namespace ravelin
