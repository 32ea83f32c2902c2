#pragma once

// Reduction of a text to the words a scan compares. Text here is bytes, each a Windows-1252
// character: UTF-8 stored text is repaired byte-wise, punctuation folded, letters lower-cased,
// and everything but letters and digits becomes a space.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ravelin {

// DecodeUtf8Latin1, DecodeUtf8Punctuation, lower-casing and KeepWordCharacters (digits kept),
// in that order. The result has only lower-case word characters, digits and spaces.
void NormaliseText(std::string& text);

// Two-byte UTF-8 sequences of Latin-1 (lead 0xC2 and 0xC3) become single characters, and
// 0xC4 0x8D becomes "c". A search resumes one position after the lead it found, in the text as
// it stands after the replacement, so a pair that moves onto a removed one is not examined.
std::string DecodeUtf8Latin1(std::string text);

// DecodeUtf8Latin1 of the beginning of a longer text, up to and including an ASCII space. The
// searches never join bytes across that space and move only rightwards, so the result is the
// beginning of the whole text's, unless a pair is left that a search in the rest could still
// rewrite: then the result is false and the text is not to be used.
bool DecodeUtf8Latin1Prefix(std::string& text);

// Three-byte UTF-8 sequences of general punctuation (0xE2 0x80 x) become plain punctuation. The
// first such sequence decides alone: when it is one of the listed ones every listed sequence is
// replaced, otherwise only that first sequence is removed.
std::string DecodeUtf8Punctuation(std::string text);

// Step three of the normalisation: the letters of Windows-1252 become lower case.
void LowerCaseLetters(std::string& text);

// Every character that is not a letter (or a digit, when asked) becomes a space.
std::string KeepWordCharacters(std::string text, bool includeDigits);

bool IsWordCharacter(unsigned char c, bool includeDigits);

// Cuts text (from the 1-based startPosition on) at separator and stores the pieces of at least
// minLength characters in words, at most maxCount of them (0: no limit). Returns their number;
// when none is stored, words is left as it was.
int32_t SplitIntoWords(std::string_view text, std::string_view separator, int32_t startPosition,
                       std::vector<std::string>& words, bool trimPieces, int32_t maxCount,
                       int32_t minLength);

// The first n space-separated words (n <= 0: all of them), joined by single spaces.
std::string FirstWords(std::string_view text, int32_t n);

// The word list of a raw text as a scan makes it: normalised, then at most maxWords words of
// four or more characters.
int32_t ReduceToWords(std::string& text, int32_t maxWords, std::vector<std::string>& words);

// ReduceToWords of the beginning of a text, for a reader that has not read all of it. True when
// the beginning alone gives maxWords words and they are the first words of the whole text's
// reduction, whatever follows; the beginning is cut after its last space for that.
bool ReducePrefixToWords(std::string& text, int32_t maxWords, std::vector<std::string>& words);

// The beginning of a text that nothing after it can change, for a reader that drops what it has
// reduced: the longest beginning before the first byte above 127 that ends with a byte that is
// no word character, leaving out the text's last byte (a space a line end may take back).
// Appends its words, up to `words` holding maxWords, and returns its length. The whole text's
// words are those followed by the words of the rest.
size_t TakeSettledWords(std::string_view text, int32_t maxWords, std::vector<std::string>& words);

}  // namespace ravelin
