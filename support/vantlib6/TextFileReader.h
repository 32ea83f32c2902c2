#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace vantlib6 {

// Result of the internal steps of a load that went well; every other result is a final code.
inline constexpr int32_t kStepOk = 1;

// A program-text file is small; anything larger is not one.
inline constexpr std::size_t kMaxFileBytes = std::size_t{1024} * 1024;

// Reads the whole regular file at `path` into `content`. Returns kStepOk or a load error code.
int32_t ReadTextFile(const char* path, std::string& content);

}  // namespace vantlib6
