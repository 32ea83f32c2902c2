#pragma once

#include "engine/TextCatalog.h"

#include <string>

namespace ravelin {

// The engine's texts as the text library holds them, once LoadProgramText has succeeded.
class LibraryTextCatalog final : public TextCatalog {
  public:
    std::string Text(int n) const override;
};

}  // namespace ravelin
