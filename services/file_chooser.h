#pragma once

#include <string>
#include <string_view>

namespace tarvex {

// The file-selection dialog as the file commands see it: a full path, or empty when cancelled.
class FileChooser {
  public:
    virtual ~FileChooser() = default;
    virtual std::string selectFile(std::string_view title, std::string_view pattern) = 0;
};

}  // namespace tarvex
