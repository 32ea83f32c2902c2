#pragma once

#include <string>

namespace ravelin::cli {

// The version as the window's caption shows it: major, ".", minor, "0" (1.0 is 1.00).
std::string VersionText();

}  // namespace ravelin::cli
