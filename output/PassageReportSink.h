#pragma once

// A passage scan as plain text, in the manner of a scan's report: the folders, then for each
// pair that shares passages how much of each file is shared and the first words of the longest
// passage, then how many pairs there are. Written as the scan goes: there is no cap.
// And the groups of files joined by shared passages, written when the scan has ended.

#include "output/PassageFormatSink.h"

#include <ostream>

namespace ravelin {

class PassageReportSink final : public PassageFormatSink {
  public:
    explicit PassageReportSink(std::ostream& out) : out_(out) {}

    void OnFolderListed(const FolderListed& event) override;
    void OnPairFound(const PassagePairFound& event) override;
    void OnScanEnded(const PassageScanEnded& event) override;
    bool NeedsByteSpans() const override { return false; }

  private:
    std::ostream& out_;
};

class PassageGroupsSink final : public PassageFormatSink {
  public:
    PassageGroupsSink(std::ostream& out, const MatchGroups& groups) : out_(out), groups_(groups) {}
    void OnScanEnded(const PassageScanEnded& event) override;
    bool NeedsByteSpans() const override { return false; }

  private:
    std::ostream& out_;
    const MatchGroups& groups_;
};

}  // namespace ravelin
