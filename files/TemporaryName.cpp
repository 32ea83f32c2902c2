#include "files/OutputFile.h"

#include <random>

namespace ravelin {

std::string RandomTemporaryName(int /*attempt*/) {
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device random;
    std::uniform_int_distribution<size_t> pick(0, sizeof kLetters - 2);
    std::string name = ".rvn";
    for (int i = 0; i < 10; ++i) {
        name += kLetters[pick(random)];
    }
    return name;
}

}  // namespace ravelin
