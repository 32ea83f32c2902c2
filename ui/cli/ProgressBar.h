#pragma once

// A one-line progress display on a terminal: files of each pass, matches so far, elapsed time.

#include "engine/ScanView.h"

#include <chrono>
#include <ostream>

namespace ravelin::cli {

class ProgressBar {
  public:
    explicit ProgressBar(std::ostream& terminal);
    void Show(const ScanProgress& progress);
    // Clears the line, so that what follows starts on a clean one.
    void Finish();

  private:
    std::ostream& terminal_;
    std::chrono::steady_clock::time_point started_;
    std::chrono::steady_clock::time_point lastDrawn_;
    bool drawn_ = false;
};

}  // namespace ravelin::cli
