#pragma once

// One line per match for other programs: 1st-folder name, 2nd-folder name, percentage, mode and
// shift, separated by tabs. Backslash, tab, line feed and carriage return in a name are written
// as \\, \t, \n and \r, so that every match is one line of five fields whatever the names hold.

#include "engine/ScanSink.h"

#include <ostream>
#include <string>
#include <vector>

namespace ravelin {

class TsvSink final : public ScanSink {
  public:
    explicit TsvSink(std::ostream& out) : out_(out) {}
    void OnMatch(const MatchFound& event) override;

  private:
    std::ostream& out_;
    // A file matches again and again: its escaped name is made once.
    std::vector<std::string> names1_;  // by 1st-folder index
    int32_t index2_ = -1;
    std::string name2_;
    std::string line_;
};

}  // namespace ravelin
