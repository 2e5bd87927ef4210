#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tarvex {

// The file-selection dialog as the file commands see it: a full path, or empty when cancelled.
class FileChooser {
  public:
    virtual ~FileChooser() = default;
    virtual std::string selectFile(std::string_view title, std::string_view pattern) = 0;
    // The dialog shown in folder, listing the files named in listedFirst first and in that order;
    // the next ordinary use finds the dialog where it was before. A chooser that shows no folders
    // answers as selectFile does.
    virtual std::string selectFileIn(std::string_view title, std::string_view pattern,
                                     const std::string& folder,
                                     const std::vector<std::string>& listedFirst) {
        static_cast<void>(folder);
        static_cast<void>(listedFirst);
        return selectFile(title, pattern);
    }
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
