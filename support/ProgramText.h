#pragma once

// The numbered user-interface texts, loaded once at start-up from the program-text file through
// the text library vantlib6.

#include "support/ProgramFolder.h"

#include <cstdint>
#include <string>

namespace ravelin {

struct ProgramTextLoad {
    bool loaded = false;
    // When not loaded: the text to show in a message box with the critical icon and an empty
    // title, after which the program ends.
    std::string message;
};

// The folder and the file name joined by one separator ("\\" on Windows, "/" elsewhere), also
// when the folder ends with one.
std::string ProgramTextPath(const std::string& programFolder, const std::string& fileName);

ProgramTextLoad LoadProgramText(const std::string& fileName, const std::string& programFolder);

// The message for a failed load result (0 or less); "" for a successful one.
std::string LoadProgramTextMessage(int32_t result, const std::string& fullPath);

// Text n in Windows-1252, cut to 1024 characters; "" when there is no such text and for "~".
std::string ProgramText(int32_t n);

}  // namespace ravelin
