#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "codec/program_state.h"

namespace tarvex::testing {

// A fresh directory for one test, removed with everything in it afterwards.
class TempDir {
  public:
    TempDir() {
        std::random_device entropy;
        const auto base = std::filesystem::temp_directory_path();
        for (int attempt = 0; attempt < 100; ++attempt) {
            std::filesystem::path candidate = base / ("tarvex-test-" + std::to_string(entropy()) +
                                                      "-" + std::to_string(attempt));
            if (std::filesystem::create_directory(candidate)) {
                path_ = std::move(candidate);
                return;
            }
        }
        throw std::runtime_error("no temporary directory");
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

    // Names of the directory's entries, sorted.
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
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << path;
}

inline Bytes TextBytes(std::string_view text) {
    return Bytes(text.begin(), text.end());
}

inline Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

// A 513-byte image whose every byte differs from its neighbours, so a shifted copy shows.
inline ImageBuffer PatternImage(std::uint8_t seed) {
    ImageBuffer image{};
    for (std::size_t i = 0; i < image.size(); ++i) {
        image[i] = static_cast<std::uint8_t>((i * 7 + seed) & 0xFF);
    }
    return image;
}

// The save record as the encoder leaves it: identity, length 512, image bytes 0-511, byte 512 zero.
inline DataFileRec OutRecord(std::uint8_t modelCode, std::string modelName, float firmware,
                             const ImageBuffer& image) {
    DataFileRec record;
    record.ModelCode = modelCode;
    record.ModelName = std::move(modelName);
    record.FirmwareVersion = firmware;
    record.ImageLength = 512;
    std::copy_n(image.begin(), kImageSize, record.Image.begin());
    record.Image[kImageSize] = 0;
    return record;
}

// A state that has been used: every global a file could touch holds something recognisable.
inline ProgramState UsedState() {
    ProgramState state;
    state.RadioData = PatternImage(99);
    state.ModelCode = 42;
    state.ModelName = "Earlier radio";
    state.FirmwareVersion = 3.25f;
    state.AddrMapCode = 33;
    state.MainData.ModelCode = 42;
    state.MainData.TXFreq = "470.0000";
    state.FileInRec.Magic = "earlier   ";
    state.FileInRec.ModelName = "earlier record";
    state.FileInRec.Image = PatternImage(5);
    return state;
}

inline void ExpectSameState(const ProgramState& expected, const ProgramState& actual) {
    EXPECT_EQ(expected.RadioData, actual.RadioData);
    EXPECT_EQ(expected.OutData, actual.OutData);
    EXPECT_EQ(expected.ModelCode, actual.ModelCode);
    EXPECT_EQ(expected.ModelName, actual.ModelName);
    EXPECT_EQ(expected.FirmwareVersion, actual.FirmwareVersion);
    EXPECT_EQ(expected.AddrMapCode, actual.AddrMapCode);
    EXPECT_TRUE(expected.FileInRec == actual.FileInRec);
    EXPECT_TRUE(expected.FileOutRec == actual.FileOutRec);
    EXPECT_TRUE(expected.MainData == actual.MainData);
    EXPECT_EQ(expected.FileCancelled, actual.FileCancelled);
}

}  // namespace tarvex::testing
