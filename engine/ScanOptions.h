#pragma once

// Everything one scan needs, checked once before it starts.

#include "engine/Message.h"
#include "engine/ScanSettings.h"
#include "engine/TextCatalog.h"
#include "files/Result.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace ravelin {

// The extension of the files a scan takes, the one place it is written.
inline constexpr std::string_view kTextFileExtension = "txt";

struct ScanOptions {
    std::array<std::string, 2> folders;  // the 1st and the 2nd, as the file system names them
    int32_t numWordsToCompare = 20;      // N
    int32_t matchThreshold = 90;         // T, per cent
    std::array<int32_t, 2> numWordsToSkip = {0, 0};  // S1, S2
    int32_t numWordsToDisplay = 12;                  // M
    bool displayReducedText = true;
    int jobs = 1;          // threads that read and compare files
    bool literal = false;  // try every shift of every pair: the reference for the fast paths

    int32_t SegmentLength() const { return 2 * numWordsToCompare; }
    // W: the words a file of folder `slot` (0 or 1) must have to be compared.
    int32_t WordsNeeded(int slot) const {
        return SegmentLength() + numWordsToSkip[static_cast<size_t>(slot)];
    }
};

// One comparing thread per core of this machine, the front ends' default.
int JobsForThisMachine();

// Why a scan cannot start: the message the user is shown, and the field to put right.
struct SettingError {
    SettingId field = SettingId::NumWordsToCompare;
    Message message;
};

// Checks the five numbers in their order, then the two folders, each trimmed of blanks; the first
// failure is the answer; the folders up to the one named were trimmed. Jobs and the comparison
// are left at their defaults.
Result<ScanOptions, SettingError> ReadScanOptions(const SettingTexts& texts,
                                                  const TextCatalog& catalog);

}  // namespace ravelin
