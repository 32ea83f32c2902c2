#pragma once

// One line per pair that shares passages, for other programs: 1st-folder name, 2nd-folder name,
// the per cent of each file's words inside passages, those words' counts, the number of
// passages and the equal words of the longest, separated by tabs; names escaped as in a scan's
// tsv.

#include "output/MatchNames.h"
#include "output/PassageFormatSink.h"

#include <ostream>
#include <string>

namespace ravelin {

class PassageTsvSink final : public PassageFormatSink {
  public:
    explicit PassageTsvSink(std::ostream& out) : out_(out) {}
    void OnPairFound(const PassagePairFound& event) override;
    bool NeedsByteSpans() const override { return false; }

  private:
    std::ostream& out_;
    MatchNames names_;
    std::string line_;
};

}  // namespace ravelin
