#pragma once

#include <cstdlib>

namespace ravelin::fuzz {

// A broken invariant is a finding: abort, so that libFuzzer keeps the input.
inline void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

}  // namespace ravelin::fuzz
