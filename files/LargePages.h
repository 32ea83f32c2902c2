#pragma once

// Large tables on large pages. A scan's tables are hundreds of megabytes touched all over: on
// 4 KB pages each first touch is a fault and most lookups miss the TLB. Where the system backs
// memory with 2 MB pages when a program asks (Linux's "madvise" setting), blocks of a page or
// more are asked for them; elsewhere this is the plain allocator.

#include <cstddef>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>

namespace ravelin {

constexpr size_t kLargePage = size_t{2} << 20;

// Asks, where the system allows it, that [data, data + bytes) be backed by large pages.
void AdviseLargePages(void* data, size_t bytes);

template <class T>
class LargePageAllocator {
  public:
    using value_type = T;

    LargePageAllocator() = default;
    template <class U>
    explicit LargePageAllocator(const LargePageAllocator<U>& /*other*/) noexcept {}

    T* allocate(size_t n) {
        const size_t bytes = n * sizeof(T);
        if (bytes < kLargePage) {
            return std::allocator<T>().allocate(n);
        }
        void* data = ::operator new (Rounded(bytes), std::align_val_t{kLargePage});
        AdviseLargePages(data, Rounded(bytes));
        return static_cast<T*>(data);
    }

    void deallocate(T* data, size_t n) noexcept {
        const size_t bytes = n * sizeof(T);
        if (bytes < kLargePage) {
            std::allocator<T>().deallocate(data, n);
            return;
        }
        ::operator delete (data, std::align_val_t{kLargePage});
    }

    // A table of plain values is filled before it is read: growing one leaves its new values
    // unset, so that its pages are first touched by the workers that fill it, not all at once by
    // the thread that sized it.
    template <class U>
    void construct(U* p) noexcept(std::is_nothrow_default_constructible_v<U>) {
        ::new (static_cast<void*>(p)) U;
    }
    template <class U, class... Args>
    void construct(U* p, Args&&... args) {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }

    friend bool operator==(const LargePageAllocator& /*a*/, const LargePageAllocator& /*b*/) {
        return true;
    }

  private:
    static size_t Rounded(size_t bytes) {
        return (bytes + kLargePage - 1) / kLargePage * kLargePage;
    }
};

}  // namespace ravelin
