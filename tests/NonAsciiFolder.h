#pragma once

// A folder whose own name and whose file names are not ASCII, with texts that match in pairs:
// the report of its scan, tests/data/non-ascii-report.txt, must be the same on every platform.

#include "TempFolder.h"

#include <string>
#include <utility>

namespace ravelin::testing {

inline const std::string kNonAsciiFolderName = "\xCE\xA9\xCE\xBC\xCE\xAD\xCE\xB3\xCE\xB1 b\xC3\xBC";

// Writes the folder into `root` and returns its path.
inline std::string WriteNonAsciiFolder(const TempFolder& root) {
    auto text = [](const std::string& lead, int first) {
        std::string words = lead;
        for (int i = first; i < first + 70; ++i) {
            words += " w\xC3\xB6rter" + std::to_string(i) + (i % 9 == 8 ? "\r\n" : "");
        }
        return words;
    };
    const std::pair<std::string, std::string> files[] = {
        {"caf\xC3\xA9.txt", text("Caf\xC3\xA9 na\xC3\xAFve \xE2\x80\x94", 0)},
        {"\303\211clair copy.txt", text("caf\xC3\xA9 NA\xC3\x8FVE --", 0)},
        {"\xE6\x97\xA5\xE6\x9C\xAC.txt", text("\xE6\x97\xA5\xE6\x9C\xAC", 300)},
        {"\xCF\x89mega.txt", text("other", 500)},
        {"Zebra \xC3\xA4rger.txt", text("shifted", 1)},
        {"z.txt", "too small"},
    };
    for (const auto& [name, content] : files) {
        root.Write(kNonAsciiFolderName + "/" + name, content);
    }
    return root / kNonAsciiFolderName;
}

}  // namespace ravelin::testing
