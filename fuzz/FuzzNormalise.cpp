// Normalisation and splitting of any bytes: the repairs agree with their literal rules, the
// reduced text keeps its length through KeepWordCharacters and holds only word characters and
// spaces, and the split stores at most W words of four or more word characters.

#include "FuzzCheck.h"
#include "engine/LiteralReduction.h"
#include "engine/TextReduction.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

using ravelin::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    const auto maxWords = static_cast<int32_t>(data[0] % 40 + 1);
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);

    Check(ravelin::KeepWordCharacters(text, true).size() == text.size());
    if (text.size() <= 256) {  // the literal rules are quadratic
        Check(ravelin::DecodeUtf8Latin1(text) == ravelin::literal::DecodeUtf8Latin1(text));
        Check(ravelin::DecodeUtf8Punctuation(text) ==
              ravelin::literal::DecodeUtf8Punctuation(text));
    }

    std::string reduced = text;
    ravelin::NormaliseText(reduced);
    for (const char c : reduced) {
        Check(c == ' ' || ravelin::IsWordCharacter(static_cast<unsigned char>(c), true));
    }
    std::vector<std::string> words;
    const int32_t count = ravelin::SplitIntoWords(reduced, " ", 1, words, true, maxWords, 4);
    Check(count >= 0 && count <= maxWords);
    for (int32_t i = 0; i < count; ++i) {
        const std::string& word = words[static_cast<size_t>(i)];
        Check(word.size() >= 4);
        for (const char c : word) {
            Check(ravelin::IsWordCharacter(static_cast<unsigned char>(c), true));
        }
    }
    return 0;
}
