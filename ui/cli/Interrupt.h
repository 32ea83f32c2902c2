#pragma once

// Ctrl-C during a scan: the first one asks the scan to stop as the Stop button does, the second
// ends the program at once. While a result file is written, any signal that ends the program
// (Ctrl-C outside a scan, SIGTERM, SIGHUP, closing the console) removes its temporary file first.

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

// Removes the temporary result files before a signal ends the program with 128 + the signal,
// for as long as the object lives. An InterruptHandler made later takes Ctrl-C over.
class TerminationCleanup {
  public:
    TerminationCleanup();
    TerminationCleanup(const TerminationCleanup&) = delete;
    TerminationCleanup& operator=(const TerminationCleanup&) = delete;
    ~TerminationCleanup();
};

}  // namespace ravelin::cli
