#pragma once

// Qt widgets and layouts belong to their parent (or to the layout they are added to), which
// deletes them with itself. NewChild hands one over to that ownership in a single place.

#include <memory>
#include <utility>

namespace ravelin {

template <class T, class... Args>
T* NewChild(Args&&... args) {
    return std::make_unique<T>(std::forward<Args>(args)...).release();
}

}  // namespace ravelin
