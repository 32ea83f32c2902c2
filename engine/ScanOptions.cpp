#include "engine/ScanOptions.h"

#include "engine/NumberValidation.h"
#include "files/FolderListing.h"
#include "files/StringRoutines.h"
#include "files/TextEncoding.h"

#include <thread>

namespace ravelin {
namespace {

int32_t& Target(ScanOptions& options, SettingId id) {
    switch (id) {
        case SettingId::NumWordsToSkip1:
            return options.numWordsToSkip[0];
        case SettingId::NumWordsToSkip2:
            return options.numWordsToSkip[1];
        case SettingId::MatchThreshold:
            return options.matchThreshold;
        case SettingId::NumWordsToDisplay:
            return options.numWordsToDisplay;
        default:
            return options.numWordsToCompare;
    }
}

}  // namespace

int JobsForThisMachine() {
    const unsigned cores = std::thread::hardware_concurrency();
    return cores == 0 ? 1 : static_cast<int>(cores);
}

Result<ScanOptions, SettingError> ReadScanOptions(const SettingTexts& texts,
                                                  const TextCatalog& catalog) {
    ScanOptions options;
    for (const SettingId id : kValidationOrder) {
        const SettingRow& row = Setting(id);
        const ValidationResult result = ValidateNumberField(texts[static_cast<size_t>(id)], row.min,
                                                            row.max, true, FieldName(id, catalog));
        if (result.invalid) {
            return SettingError{id, {result.message, "Invalid input", MessageIcon::Information}};
        }
        Target(options, id) = result.value;
    }
    options.displayReducedText = texts[static_cast<size_t>(SettingId::DisplayReducedText)] == "1";
    for (int slot = 0; slot < 2; ++slot) {
        const auto id = slot == 0 ? SettingId::Folder1 : SettingId::Folder2;
        std::string& folder = options.folders[static_cast<size_t>(slot)];
        folder = std::string(TrimSpaces(texts[static_cast<size_t>(id)]));
        if (folder.empty()) {
            return SettingError{id,
                                {"Please specify the " + Ordinal(slot + 1) + " folder.",
                                 "Specify folder", MessageIcon::None}};
        }
        if (!FolderExists(folder)) {
            return SettingError{id,
                                {"The folder '" + Utf8Lossy(folder) + "' does not exist.",
                                 "Specify folder", MessageIcon::Exclamation}};
        }
    }
    return options;
}

}  // namespace ravelin
