#pragma once

// The -o of a scan, checked before the scan: it must name something, and never a file the scan
// reads, which the result would replace.

#include <optional>
#include <string>

namespace ravelin::cli {

// The usage error to print, or nothing. `given`: -o was on the command line, even if empty.
std::optional<std::string> OutputTargetProblem(const std::string& output, bool given,
                                               const std::string& folder1,
                                               const std::string& folder2);

}  // namespace ravelin::cli
