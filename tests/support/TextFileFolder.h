#pragma once

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <stdlib.h>
#include <string>
#include <string_view>
#include <system_error>

namespace ravelin::testing {

// A temporary folder that holds program-text files for one test and goes away with it.
class TextFileFolder {
  public:
    TextFileFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "ravelin-text-XXXXXX");
        if (::mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("cannot create a temporary folder");
        }
        path_ = pattern;
    }
    ~TextFileFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TextFileFolder(const TextFileFolder&) = delete;
    TextFileFolder& operator=(const TextFileFolder&) = delete;

    std::string Path() const { return path_.string(); }

    // Writes the bytes as they are and returns the file's full path.
    std::string Write(const std::string& name, std::string_view bytes) const {
        const std::filesystem::path file = path_ / name;
        std::ofstream out(file, std::ios::binary);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out) {
            throw std::runtime_error("cannot write " + file.string());
        }
        return file.string();
    }

  private:
    std::filesystem::path path_;
};

}  // namespace ravelin::testing
