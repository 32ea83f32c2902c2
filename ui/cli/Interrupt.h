#pragma once

// Ctrl-C during a scan: the first one asks the scan to stop as the Stop button does, the second
// ends the program at once.

namespace ravelin::cli {

// Installs the handler for as long as the object lives.
class InterruptHandler {
  public:
    InterruptHandler();
    InterruptHandler(const InterruptHandler&) = delete;
    InterruptHandler& operator=(const InterruptHandler&) = delete;
    ~InterruptHandler();

    static bool Requested();
};

}  // namespace ravelin::cli
