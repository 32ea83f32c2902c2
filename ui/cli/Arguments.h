#pragma once

// The program's arguments in UTF-8, the encoding of names inside the program. Elsewhere they are
// bytes already and pass as given; on Windows argv holds them in the ANSI code page, with "?" for
// every character it lacks, so they are taken from the wide command line instead.

#include <string>
#include <vector>

namespace ravelin::cli {

std::vector<std::string> Utf8Arguments(int argc, const char* const* argv);

}  // namespace ravelin::cli
