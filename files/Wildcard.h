#pragma once

// The program's own wildcard matcher for file names: "*" stands for any run of characters, "?"
// for exactly one. Name and pattern are split at their last dot and the two halves are matched
// separately, so "*.txt" matches ".txt" and "a.b.txt" but "*" matches no name with a dot.

#include <string_view>

namespace ravelin {

// A name holding "?", "*", ":" or "\" never matches; a blank pattern matches every name.
bool FileNameMatches(std::string_view name, std::string_view pattern, bool caseSensitive);

// Matches one half of a name. A "*" binds to the first later occurrence of the pattern's next
// literal character and is never reconsidered, so "abcabd" does not match "*bd".
bool MatchNamePart(std::string_view text, std::string_view pattern, bool caseSensitive);

}  // namespace ravelin
