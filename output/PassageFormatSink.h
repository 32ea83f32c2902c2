#pragma once

// A result format as a passage scan's sink, beside its scan sink in the table of formats.

#include "engine/MatchGroups.h"
#include "engine/PassageScan.h"

#include <ostream>
#include <string>

namespace ravelin {

// The groups hear of each pair before the sink does, so that they are complete when the sink's
// OnScanEnded runs.
struct PassageFormatContext {
    std::ostream& out;
    const MatchGroups& groups;
};

class PassageFormatSink : public PassageSink {
  public:
    // What the output left out, for the user to hear once the scan has ended; empty when
    // nothing was.
    virtual std::string Notice() const { return {}; }
};

}  // namespace ravelin
