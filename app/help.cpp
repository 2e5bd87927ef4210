#include "app/help.h"

#include <unistd.h>

#include <string>
#include <utility>

namespace tarvex {
namespace {

constexpr std::int32_t kLastFailureCode = 32;
constexpr std::int32_t kFileNotFound = 2;
constexpr std::int32_t kPathNotFound = 3;
constexpr std::int32_t kAccessDenied = 5;
constexpr std::int32_t kNoAssociation = 31;

struct ShellError {
    std::int32_t result;
    std::string_view text;
};

constexpr ShellError kShellErrors[] = {
    {2, "File not found"},
    {3, "Path not found"},
    {5, "Access denied"},
    {8, "Out of memory"},
    {11, "Invalid EXE file or error in EXE image"},
    {26, "A sharing violation occurred"},
    {27, "Incomplete or invalid file association"},
    {28, "DDE Time out"},
    {29, "DDE transaction failed"},
    {30, "DDE busy"},
    {31, "No association for file extension"},
    {32, "DLL not found"},
};

}  // namespace

std::int32_t StartDoc(Shell& shell, std::string_view DocName) {
    return shell.Open(DocName);
}

std::string_view ShellErrorText(std::int32_t result) {
    for (const ShellError& error : kShellErrors) {
        if (error.result == result) {
            return error.text;
        }
    }
    return "Unknown error";
}

void ContactUs(Shell& shell, UserInterface& ui, const std::filesystem::path& page) {
    const std::int32_t result = StartDoc(shell, page.string());
    if (result > kLastFailureCode) {
        return;
    }
    ui.ShowMessage({std::string(kApplicationTitle), std::string(ShellErrorText(result)),
                    MessageIcon::None, MessageButtons::Ok});
}

std::int32_t DesktopShell::Open(std::string_view document) {
    std::error_code error;
    const std::filesystem::path path = std::filesystem::absolute(document, error);
    if (error) {
        return kPathNotFound;  // no current directory to look in
    }
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found) {
        const bool folderExists = std::filesystem::is_directory(path.parent_path(), error);
        return folderExists ? kFileNotFound : kPathNotFound;
    }
    if (error || ::access(path.c_str(), R_OK) != 0) {
        return kAccessDenied;
    }
    return opener_(path) ? kOpened : kNoAssociation;
}

}  // namespace tarvex
