#pragma once

#include <string>
#include <string_view>
#include <utility>

namespace tarvex {

// The file-selection dialog as the file commands see it: a full path, or empty when cancelled.
class FileChooser {
  public:
    virtual ~FileChooser() = default;
    virtual std::string selectFile(std::string_view title, std::string_view pattern) = 0;
};

// The file dialog answered by a path given beforehand (on a command line, say).
class GivenPathChooser : public FileChooser {
  public:
    explicit GivenPathChooser(std::string path) : path_(std::move(path)) {}
    std::string selectFile(std::string_view, std::string_view) override { return path_; }

  private:
    std::string path_;
};

}  // namespace tarvex
