#pragma once

#include <string>

namespace ravelin {

// The numbered user-interface texts, as UTF-8. The program loads them from its program-text file;
// tests supply their own.
class TextCatalog {
  public:
    virtual ~TextCatalog() = default;
    virtual std::string Text(int n) const = 0;
};

}  // namespace ravelin
