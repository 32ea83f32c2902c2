// The program-text library loading any file: a known result, a message for every failure, and
// texts that fit the buffer.

#include "FuzzCheck.h"
#include "support/ProgramText.h"
#include "support/vantlib6/vantlib6.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

using ravelin::fuzz::Check;

namespace {

const std::string& TextFile() {
    static const std::string path = "/tmp/ravelin-fuzz-" + std::to_string(::getpid()) + ".dat";
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    {
        std::ofstream out(TextFile(), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    const int32_t result = lt(TextFile().c_str(), 0);
    if (result <= 0) {
        Check(!ravelin::LoadProgramTextMessage(result, TextFile()).empty());
        Check(result >= -2000);  // line numbers stay within the file's 500 lines
        return 0;
    }
    for (int32_t n = 0; n < 40; ++n) {
        Check(ravelin::ProgramText(n).size() <= 1024);
    }
    return 0;
}
