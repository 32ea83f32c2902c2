#pragma once

// A result format as a scan's sink: it writes as the scan goes, and what can only be written
// once every match is known (the report, the groups, the page) it writes when the scan ends.

#include "engine/MatchGroups.h"
#include "engine/ScanSink.h"
#include "engine/TextCatalog.h"

#include <ostream>
#include <string>

namespace ravelin {

// What a format's sink is made with. The groups hear of each event before the sink does, so
// that they are complete when the sink's OnScanEnded runs.
struct FormatContext {
    std::ostream& out;
    const MatchGroups& groups;
    const TextCatalog& texts;
};

class FormatSink : public ScanSink {
  public:
    // What the output left out, for the user to hear once the scan has ended; empty when
    // nothing was.
    virtual std::string Notice() const { return {}; }
};

}  // namespace ravelin
