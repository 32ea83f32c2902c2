#include "support/FailingAllocation.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<std::size_t> failFrom{0};
std::atomic<std::size_t> failTo{0};

bool MustFail(std::size_t size) {
    return size >= failFrom.load() && size < failTo.load();
}

}  // namespace

namespace ravelin::testing {

FailingAllocation::FailingAllocation(std::size_t from, std::size_t to) {
    failFrom = from;
    failTo = to;
}

FailingAllocation::~FailingAllocation() {
    failTo = 0;
}

}  // namespace ravelin::testing

void* operator new(std::size_t size) {
    if (MustFail(size)) {
        throw std::bad_alloc();
    }
    if (void* memory = std::malloc(size == 0 ? 1 : size)) {
        return memory;
    }
    throw std::bad_alloc();
}

void operator delete(void* memory) noexcept {
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}
