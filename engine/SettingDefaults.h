#pragma once

// What the five setting boxes hold when nothing was saved: the defaults of a Restore, which the
// command line takes as its own.

#include "engine/ScanView.h"

#include <map>
#include <string>

namespace ravelin {

inline std::map<SettingField, std::string> DefaultSettingTexts() {
    return {
        {SettingField::NumWordsToCompare, "20"},
        {SettingField::NumWordsOfReducedTextToDisplay, "12"},
        {SettingField::MatchThreshold, "90"},
        {SettingField::NumWordsToSkip1st, "0"},
        {SettingField::NumWordsToSkip2nd, "0"},
    };
}

}  // namespace ravelin
