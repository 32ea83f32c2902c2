#pragma once

// A folder in the system's temporary folder that lives as long as the test needs it. Names are
// UTF-8, as inside the program, on every platform.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <system_error>

namespace ravelin::testing {

inline std::filesystem::path PathOf(const std::string& utf8) {
    return std::u8string(utf8.begin(), utf8.end());
}

inline std::string Utf8Of(const std::filesystem::path& path) {
    const std::u8string utf8 = path.u8string();
    return {utf8.begin(), utf8.end()};
}

inline std::string Read(const std::string& utf8Path) {
    std::ifstream in(PathOf(utf8Path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class TempFolder {
  public:
    TempFolder() {
        std::random_device random;
        const std::filesystem::path base = std::filesystem::temp_directory_path();
        do {
            path_ = base / ("ravelin-test-" + std::to_string(random()));
        } while (!std::filesystem::create_directory(path_));
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(path_, ignored);
    }

    const std::filesystem::path& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return Utf8Of(path_ / PathOf(name)); }

    // Writes the bytes exactly as given, making the sub-folders the name has.
    std::string Write(const std::string& name, const std::string& bytes) const {
        const std::filesystem::path file = path_ / PathOf(name);
        std::filesystem::create_directories(file.parent_path());
        std::ofstream out(file, std::ios::binary);
        out << bytes;
        return Utf8Of(file);
    }

  private:
    std::filesystem::path path_;
};

}  // namespace ravelin::testing
