#include "files/Wildcard.h"

#include <gtest/gtest.h>

#include <string>

namespace ravelin {
namespace {

struct MatchRow {
    std::string name;
    std::string pattern;
    bool matches;
};

TEST(Wildcard, FileNameMatchesSplitsAtTheLastDot) {
    const MatchRow rows[] = {
        {"A.TXT", "*.txt", true},      {"a.b.txt", "*.txt", true},   {".txt", "*.txt", true},
        {"a.txt.bak", "*.txt", false}, {"readme", "*.txt", false},   {"a.txt", "  *.txt  ", true},
        {"notes", "*.*", true},        {"notes", "*", true},         {"a.txt", "*", false},
        {"a.txt", "   ", true},        {"notes", "notes.", true},    {"notes", "no*.*t", false},
        {"ab.txt", "?.txt", false},    {"a*.txt", "*.txt", false},   {"c:d.txt", "*.*", false},
        {"a\\b.txt", "*.*", false},    {"dxa.txt", "d*a.t?t", true},
    };
    for (const MatchRow& row : rows) {
        EXPECT_EQ(FileNameMatches(row.name, row.pattern, false), row.matches)
            << row.name << " ~ " << row.pattern;
    }
    // Accented capitals fold too: A grave, Eth and AE.
    EXPECT_TRUE(FileNameMatches("\xC0\x42.TXT", "\xE0\x62.*", false));
    EXPECT_TRUE(FileNameMatches("\xD0\xC6.txt", "\xF0\xE6.txt", false));
    EXPECT_FALSE(FileNameMatches("A.TXT", "*.txt", true));
}

TEST(Wildcard, MatchNamePartWithoutBacktracking) {
    const MatchRow rows[] = {
        {"", "***", true},    {"", "a*", false},        {"", "?", false},
        {"abc", "", true},    {"abcabd", "*bd", false}, {"xbd", "*bd", true},
        {"abc", "a*", true},  {"abc", "a?c", true},     {"abc", "a?", false},
        {"ab", "a??", false}, {"ab", "abc", false},     {"xba", "*?a", false},
        {"abc", "*x", false}, {"ABC", "a*C", true},     {"aXbYc", "a*b*c", true},
        {"abc", "a*?", true},
    };
    for (const MatchRow& row : rows) {
        EXPECT_EQ(MatchNamePart(row.name, row.pattern, false), row.matches)
            << row.name << " ~ " << row.pattern;
    }
}

}  // namespace
}  // namespace ravelin
