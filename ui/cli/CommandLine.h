#pragma once

// ravelin-cli: a scan without a window, on the same driver as the window, and the word list of a
// single file as a scan would see it.

#include <ostream>

namespace ravelin::cli {

inline constexpr int kExitScanned = 0;
inline constexpr int kExitStopped = 1;  // a setting, a folder or the program text stopped it
inline constexpr int kExitUsage = 2;
inline constexpr int kExitInterrupted = 130;

// `terminal` says whether err is a terminal, which shows a progress bar.
int RunCommandLine(int argc, const char* const* argv, std::ostream& out, std::ostream& err,
                   bool terminal);

}  // namespace ravelin::cli
