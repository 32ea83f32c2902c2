// The wildcard matcher on any name and pattern: it ends, and it keeps the rules that follow
// from its definition.

#include "FuzzCheck.h"
#include "files/Wildcard.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

using ravelin::fuzz::Check;

namespace {

bool HasForbidden(std::string_view name) {
    return name.find_first_of("?*:\\") != name.npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const size_t cut = input.find('\0');
    const std::string_view name = input.substr(0, cut);
    const std::string_view pattern = cut == input.npos ? std::string_view() : input.substr(cut + 1);
    const bool caseSensitive = size % 2 == 0;

    const bool matches = ravelin::FileNameMatches(name, pattern, caseSensitive);
    if (HasForbidden(name)) {
        Check(!matches);
        return 0;
    }
    Check(ravelin::FileNameMatches(name, "*.*", caseSensitive));
    Check(ravelin::FileNameMatches(name, "   ", caseSensitive));
    if (!name.empty() && name.front() != ' ' && name.back() != ' ') {
        Check(ravelin::FileNameMatches(name, name, caseSensitive));
    }
    Check(ravelin::MatchNamePart(name, "", caseSensitive) || name.empty());
    return 0;
}
