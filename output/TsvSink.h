#pragma once

// One line per match for other programs: 1st-folder name, 2nd-folder name, percentage, mode and
// shift, separated by tabs. Backslash, tab, line feed and carriage return in a name are written
// as \\, \t, \n and \r, so that every match is one line of five fields whatever the names hold.

#include "output/FormatSink.h"
#include "output/MatchNames.h"

#include <ostream>
#include <string>
#include <string_view>

namespace ravelin {

// A name as one tsv field: backslash, tab, line feed and carriage return escaped.
std::string TsvField(std::string_view name);

class TsvSink final : public FormatSink {
  public:
    explicit TsvSink(std::ostream& out) : out_(out) {}
    void OnMatch(const MatchFound& event) override;

  private:
    std::ostream& out_;
    MatchNames names_;
    std::string line_;
};

}  // namespace ravelin
