#pragma once

#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <numeric>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "codec/program_state.h"

namespace tarvex::testing {

// A fresh directory for one test, removed with everything in it afterwards.
class TempDir {
  public:
    TempDir() {
        std::string name = (std::filesystem::temp_directory_path() / "tarvex-test-XXXXXX").string();
        EXPECT_NE(::mkdtemp(name.data()), nullptr);
        path_ = name;
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

    // Sorted, so that a stray temporary file shows.
    std::vector<std::string> Entries() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(path_)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

  private:
    std::filesystem::path path_;
};

using Bytes = std::vector<std::uint8_t>;

inline Bytes ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

// The text's bytes, filled up to size.
inline Bytes Text(std::string_view text, std::size_t size = 0) {
    Bytes bytes(text.begin(), text.end());
    bytes.resize(std::max(size, bytes.size()), 0x11);
    return bytes;
}

// Runs step with the file-size limit lowered to bytes and SIGXFSZ ignored, so that a write past it
// fails with EFBIG as one on a full disk fails; programs started meanwhile inherit both.
template <typename Step>
auto WithFileSizeLimit(rlim_t bytes, Step step) {
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    const rlimit lowered{bytes, saved.rlim_max};
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    ::setrlimit(RLIMIT_FSIZE, &lowered);
    auto result = step();
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, handler);
    return result;
}

// Runs step in a child process as a user whom permissions stop: "nobody" when the test runs as
// root, else the test's own user; true when the step returned true.
inline bool AsUnprivilegedUser(const std::function<bool()>& step) {
    if (const pid_t child = ::fork(); child == 0) {
        const passwd* nobody = ::getpwnam("nobody");
        _exit(::geteuid() == 0 && (nobody == nullptr || ::setgroups(0, nullptr) != 0 ||
                                   ::setresgid(nobody->pw_gid, nobody->pw_gid, nobody->pw_gid) ||
                                   ::setresuid(nobody->pw_uid, nobody->pw_uid, nobody->pw_uid))
                  ? 2
                  : !step());
    } else {
        int status = -1;
        ::waitpid(child, &status, 0);
        return status == 0;
    }
}

// Every byte differs from its neighbours, so a shifted copy shows.
inline ImageBuffer PatternImage(std::uint8_t seed) {
    ImageBuffer image{};
    std::iota(image.begin(), image.end(), seed);
    return image;
}

// The save record as the encoder leaves it: length 512, image bytes 0-511, byte 512 zero.
inline DataFileRec OutRecord(std::uint8_t modelCode, std::string modelName, float firmware,
                             ImageBuffer image) {
    image[kImageSize] = 0;
    return {"", modelCode, std::move(modelName), firmware, {}, 512, image};
}

// Every global a file could touch holds something recognisable.
inline ProgramState UsedState() {
    ProgramState state;
    state.RadioData = PatternImage(99);
    state.ModelCode = 42;
    state.ModelName = "Earlier radio";
    state.FirmwareVersion = 3.25f;
    state.AddrMapCode = 33;
    state.FileInRec = OutRecord(5, "earlier record", 1.0f, PatternImage(5));
    return state;
}

// The whole state, for comparing one with another.
inline auto AllFields(const ProgramState& s) {
    return std::tie(s.MainData, s.RadioData, s.OutData, s.ModelCode, s.ModelName, s.FirmwareVersion,
                    s.AddrMapCode, s.FreqLowerMHz, s.FreqUpperMHz, s.Step5kHz, s.ComPort,
                    s.RxBuffer, s.ProgAddr, s.FileCancelled, s.FileOutRec, s.FileInRec);
}

}  // namespace tarvex::testing
