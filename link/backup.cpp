#include "link/backup.h"

#include <algorithm>
#include <cstdlib>
#include <exception>
#include <regex>
#include <system_error>

#include "files/data_file.h"
#include "files/failure_reason.h"

namespace tarvex {
namespace {

namespace fs = std::filesystem;

// Backups taken within the same second get "_2", "_3", ... after their time.
constexpr int kMaxSameSecondBackups = 100;

void AppendPadded(std::string& text, long long value, int width) {
    std::string digits = std::to_string(value);
    if (static_cast<int>(digits.size()) < width) {
        text.append(static_cast<std::size_t>(width) - digits.size(), '0');
    }
    text += digits;
}

bool SafeFileNameCharacter(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '-' ||
           c == '.';
}

DataFileRec BackupRecord(const Identification& identification) {
    DataFileRec record;
    record.ModelCode = identification.identity.ModelCode;
    record.ModelName = identification.identity.ModelName;
    record.FirmwareVersion = identification.identity.FirmwareVersion;
    record.ImageLength = static_cast<std::int16_t>(kImageSize);
    std::copy(identification.image.begin(), identification.image.end(), record.Image.begin());
    return record;
}

// A name in the folder that no file has yet.
fs::path UnusedPath(const fs::path& folder, const std::string& fileName) {
    const fs::path first = folder / fileName;
    std::error_code error;
    if (!fs::exists(first, error)) {
        return first;
    }
    const std::string stem = first.stem().string();
    const std::string extension = first.extension().string();
    for (int n = 2; n <= kMaxSameSecondBackups; ++n) {
        fs::path candidate = folder / (stem + "_" + std::to_string(n) + extension);
        if (!fs::exists(candidate, error)) {
            return candidate;
        }
    }
    return {};
}

std::string SafeModelName(std::string_view modelName) {
    std::string name;
    for (char c : modelName) {
        name += SafeFileNameCharacter(c) ? c : '_';
    }
    return name;
}

}  // namespace

fs::path BackupFolderFor(const char* xdgDataHome, const char* home) {
    if (xdgDataHome != nullptr && fs::path(xdgDataHome).is_absolute()) {
        return fs::path(xdgDataHome) / "tarvex" / "backups";
    }
    if (home != nullptr && *home != '\0') {
        return fs::path(home) / ".local" / "share" / "tarvex" / "backups";
    }
    return {};
}

fs::path DefaultBackupFolder() {
    return BackupFolderFor(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
}

std::string BackupFileName(std::string_view modelName, std::chrono::system_clock::time_point when) {
    using namespace std::chrono;
    const auto seconds = floor<std::chrono::seconds>(when);
    const auto day = floor<days>(seconds);
    const year_month_day date(day);
    const hh_mm_ss time(seconds - day);

    std::string name = SafeModelName(modelName) + '_';
    AppendPadded(name, static_cast<int>(date.year()), 4);
    AppendPadded(name, static_cast<unsigned>(date.month()), 2);
    AppendPadded(name, static_cast<unsigned>(date.day()), 2);
    name += 'T';
    AppendPadded(name, time.hours().count(), 2);
    AppendPadded(name, time.minutes().count(), 2);
    AppendPadded(name, time.seconds().count(), 2);
    name += "Z.kvd";
    return name;
}

std::vector<BackupEntry> ListBackups(const fs::path& folder) {
    static const std::regex kName(R"((.+)_(\d{8}T\d{6}Z)(?:_(\d{1,3}))?\.kvd)");
    std::vector<BackupEntry> backups;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        std::smatch match;
        if (!it->is_regular_file(error) || !std::regex_match(name, match, kName)) {
            continue;
        }
        backups.push_back(
            {it->path(), match[1], match[2], match[3].matched ? std::stoi(match[3]) : 1});
    }
    std::sort(backups.begin(), backups.end(), [](const BackupEntry& x, const BackupEntry& y) {
        return std::tie(x.time, x.sequence, x.model) > std::tie(y.time, y.sequence, y.model);
    });
    return backups;
}

void PruneBackups(const fs::path& folder, std::string_view modelName, std::size_t keep) {
    const std::string model = SafeModelName(modelName);
    std::size_t kept = 0;
    for (const BackupEntry& backup : ListBackups(folder)) {
        if (backup.model == model && ++kept > keep) {
            std::error_code ignored;  // a backup that cannot go stays; the next prune tries again
            fs::remove(backup.path, ignored);
        }
    }
}

bool BackUpRepeater(RadioLink& link, const Identification& identification, std::string* reason) {
    try {
        if (link.backupFolder.empty()) {
            SetReason(reason, "no folder for backups is known (neither XDG_DATA_HOME nor HOME)");
            return false;
        }
        std::error_code error;
        fs::create_directories(link.backupFolder, error);
        if (error) {
            SetReason(reason, error.message());
            return false;
        }
        const fs::path path =
            UnusedPath(link.backupFolder,
                       BackupFileName(identification.identity.ModelName, link.clock.WallTime()));
        if (path.empty()) {
            SetReason(reason, "too many backups within one second");
            return false;
        }
        if (!WriteDataFileRecord(BackupRecord(identification), path, reason)) {
            return false;
        }
        link.lastBackupPath = path;
        PruneBackups(link.backupFolder, identification.identity.ModelName);
        return true;
    } catch (const std::exception& failure) {
        SetReason(reason, failure.what());
    } catch (...) {
        SetReason(reason, "unexpected failure while writing the backup");
    }
    return false;
}

}  // namespace tarvex
