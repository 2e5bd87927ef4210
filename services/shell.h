#pragma once

#include <cstdint>
#include <string_view>

namespace tarvex {

// Opens a document in whatever program the desktop associates with it. The result follows the
// shell's convention: above 32 when the document was handed over, otherwise a failure code
// (2 file not found, 3 path not found, 5 access denied, 31 no association, ...).
class Shell {
  public:
    virtual ~Shell() = default;
    virtual std::int32_t Open(std::string_view document) = 0;
};

}  // namespace tarvex
