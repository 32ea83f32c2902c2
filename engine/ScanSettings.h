#pragma once

// The nine settings a user can save: what each is stored as, what it starts as, the bounds of
// the five numbers that a scan takes, and the control that shows it. Everything that reads,
// checks, saves, restores, clears or offers a setting on the command line works from this one
// table; a new setting is a row here and its control in the window.

#include "engine/TextCatalog.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace ravelin {

// In the order in which they are saved.
enum class SettingId {
    Folder1,
    Folder2,
    NumWordsToSkip1,
    NumWordsToSkip2,
    NumWordsToCompare,
    MatchThreshold,
    NumWordsToDisplay,
    DisplayReducedText,
    OptTxt,
};

inline constexpr size_t kSettingCount = 9;

// How a setting's control holds its value, which decides how it is read, stored and shown.
enum class SettingKind {
    Folder,      // a text box holding a path
    Number,      // a text box holding a number as typed
    CheckState,  // a check box: 0 clear, 1 ticked, 2 greyed
    Boolean,     // an option button: "True" or "False"
};

struct SettingRow {
    SettingId id;
    std::string_view storedName;    // the value's name in the settings store
    std::string_view restoreValue;  // what a restore puts in the control when nothing was saved
    std::string_view clearValue;    // what Clear and a fresh window put in the control
    int32_t min = 0;                // inclusive bounds of a number; both 0 for the others
    int32_t max = 0;
    int fieldNameText = 0;  // the program text that names the field in messages; 0 for none
    SettingKind kind = SettingKind::Number;
    std::string_view control;  // the window's control, by its name
    bool keptByClear = false;  // Clear leaves the control as it is
};

// The segment length is the one setting whose two defaults differ: a restore without a saved
// value gives 20, the shortest and fastest segment, while Clear and a fresh window offer 50, a
// segment long enough that a shared boilerplate paragraph alone rarely makes a match.
inline constexpr std::array<SettingRow, kSettingCount> kSettings = {{
    {SettingId::Folder1, "1st folder", "", "", 0, 0, 0, SettingKind::Folder, "txbFolder0"},
    {SettingId::Folder2, "2nd folder", "", "", 0, 0, 0, SettingKind::Folder, "txbFolder1"},
    {SettingId::NumWordsToSkip1, "1st num words to skip", "0", "0", 0, 500, 11, SettingKind::Number,
     "txbNumWordsToSkip0"},
    {SettingId::NumWordsToSkip2, "2nd num words to skip", "0", "0", 0, 500, 11, SettingKind::Number,
     "txbNumWordsToSkip1"},
    {SettingId::NumWordsToCompare, "Num words to compare", "20", "50", 20, 100, 8,
     SettingKind::Number, "txbNumWordsToCompare"},
    {SettingId::MatchThreshold, "Match threshold", "90", "90", 50, 100, 10, SettingKind::Number,
     "txbMatchThreshold"},
    {SettingId::NumWordsToDisplay, "Num words to display", "12", "12", 5, 100, 9,
     SettingKind::Number, "txbNumWordsOfReducedTextToDisplay"},
    {SettingId::DisplayReducedText, "Display reduced text", "1", "1", 0, 0, 0,
     SettingKind::CheckState, "chkDisplayReducedText"},
    {SettingId::OptTxt, "optTxt", "True", "True", 0, 0, 0, SettingKind::Boolean, "optTxt", true},
}};

// The numbers in the order a scan checks them, so that the first wrong one is the one named.
inline constexpr std::array<SettingId, 5> kValidationOrder = {
    SettingId::NumWordsToCompare, SettingId::NumWordsToDisplay, SettingId::MatchThreshold,
    SettingId::NumWordsToSkip1,   SettingId::NumWordsToSkip2,
};

constexpr const SettingRow& Setting(SettingId id) {
    return kSettings[static_cast<size_t>(id)];
}

// The name a message gives the field: "Number of words to skip in the 2nd folder" and the like.
std::string FieldName(SettingId id, const TextCatalog& texts);

// The texts of the nine controls, by SettingId; the check box as its state "0", "1" or "2".
using SettingTexts = std::array<std::string, kSettingCount>;

SettingTexts RestoreDefaults();

}  // namespace ravelin
