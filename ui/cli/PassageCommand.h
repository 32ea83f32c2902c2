#pragma once

// ravelin-cli scan --passages: the passages shared anywhere in two texts, for every pair of
// files, written through the table of formats.

#include "engine/TextCatalog.h"

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace ravelin::cli {

struct PassageCommand {
    int32_t minWords = 15;
    int32_t maxGap = 3;
    std::vector<std::string> common;
    int32_t maxFiles = 0;  // 0: off
    std::string format;
    std::string output;
    int jobs = 1;
    bool stats = false;
    std::string folder1;
    std::string folder2;  // empty: the 1st folder
};

// The exit status as a scan's: 0 ran to its end, 1 stopped by a folder, the common text or a
// failed write, 2 a format without a passage output, 130 interrupted.
int RunPassageScan(const PassageCommand& command, const TextCatalog& catalog, std::ostream& out,
                   std::ostream& err);

}  // namespace ravelin::cli
