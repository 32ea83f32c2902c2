#pragma once

#include <cstddef>

namespace ravelin::testing {

// While alive, every allocation through operator new whose size lies in [from, to) throws
// std::bad_alloc, also inside shared libraries, since the test program replaces operator new.
class FailingAllocation {
  public:
    FailingAllocation(std::size_t from, std::size_t to);
    ~FailingAllocation();
    FailingAllocation(const FailingAllocation&) = delete;
    FailingAllocation& operator=(const FailingAllocation&) = delete;
};

}  // namespace ravelin::testing
