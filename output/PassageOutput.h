#pragma once

// One format's output of one passage scan: it gathers the groups first when the format needs
// them and lets the format's passage sink write.

#include "engine/SegmentMatcher.h"
#include "output/Formats.h"
#include "output/PassageFormatSink.h"

#include <array>
#include <memory>
#include <ostream>
#include <string>

namespace ravelin {

class PassageOutput final : public PassageSink {
  public:
    PassageOutput(const FormatRow& format, std::ostream& out,
                  const std::array<std::string, 2>& folders);

    void OnFolderListed(const FolderListed& event) override;
    void OnFileUnreadable(const FileUnreadable& event) override;
    void OnPairFound(const PassagePairFound& event) override;
    void OnScanEnded(const PassageScanEnded& event) override;
    bool NeedsByteSpans() const override { return sink_->NeedsByteSpans(); }

    std::string Notice() const { return sink_->Notice(); }

  private:
    const FormatRow& format_;
    MatchGroups groups_;
    const SegmentWords noWords_{std::string(), std::string()};  // a pair has no segments
    std::unique_ptr<PassageFormatSink> sink_;
    int32_t pairs_ = 0;
};

}  // namespace ravelin
