#include "engine/WordDictionary.h"

namespace ravelin {

uint32_t WordDictionary::Intern(std::string_view word) {
    const auto found = ids_.find(word);
    if (found != ids_.end()) {
        return found->second;
    }
    const auto id = static_cast<uint32_t>(words_.size());
    const std::string& stored = words_.emplace_back(word);
    ids_.emplace(stored, id);
    return id;
}

uint32_t WordDictionary::Find(std::string_view word) const {
    const auto found = ids_.find(word);
    return found == ids_.end() ? kUnknown : found->second;
}

void WordDictionary::Clear() {
    ids_.clear();
    words_.clear();
}

}  // namespace ravelin
