#pragma once

// A one-line progress display on a terminal: files of each pass, matches so far, elapsed time.

#include "engine/ScanSink.h"

#include <chrono>
#include <cstdint>
#include <ostream>

namespace ravelin::cli {

class ProgressBar {
  public:
    explicit ProgressBar(std::ostream& terminal);
    // `file` is 1-based, 0 when the pass begins.
    void Show(ScanPass pass, int32_t file, int32_t files, int32_t matches);
    // Clears the line, so that what follows starts on a clean one.
    void Finish();

  private:
    std::ostream& terminal_;
    std::chrono::steady_clock::time_point started_;
    std::chrono::steady_clock::time_point lastDrawn_;
    bool drawn_ = false;
};

}  // namespace ravelin::cli
