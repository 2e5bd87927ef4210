#include "sim/memory_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "support/file_test_support.h"

namespace tarvex::sim {
namespace {

using namespace tarvex::testing;

const std::filesystem::path kSamples = std::filesystem::path(TARVEX_SOURCE_DIR) / "samples";

// A save changes the repeater's 128 bytes where the file keeps them and nothing else, in the
// layout the file came in.
TEST(MemoryFile, SavingWritesBackOnlyTheRepeatersBytesInTheFilesOwnLayout) {
    struct Case {
        const char* what;
        Bytes file;
        MemoryFileFormat format;
        std::size_t offset;
    };
    const Bytes v4 = ReadBytes(kSamples / "dmk-pair.kvd");
    const Bytes v3 = ReadBytes(kSamples / "legacy-v3.kvd");
    Bytes raw(128);
    std::iota(raw.begin(), raw.end(), std::uint8_t{7});
    const Case cases[] = {
        {"version 4", v4, MemoryFileFormat::DataFile, 48},
        {"version 3", v3, MemoryFileFormat::DataFile, v3.size() - 513},
        {"raw", raw, MemoryFileFormat::Raw, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        WriteBytes(dir / "memory", c.file);
        std::string reason;
        std::optional<MemoryFile> file = MemoryFile::Load(dir / "memory", c.format, &reason);
        ASSERT_TRUE(file) << reason;
        const auto at = c.file.begin() + static_cast<std::ptrdiff_t>(c.offset);
        EXPECT_TRUE(std::equal(file->memory().begin(), file->memory().end(), at));

        RepeaterMemory changed = file->memory();
        std::reverse(changed.begin(), changed.end());
        ASSERT_TRUE(file->Save(changed, &reason)) << reason;
        Bytes expected = c.file;
        std::copy(changed.begin(), changed.end(),
                  expected.begin() + static_cast<std::ptrdiff_t>(c.offset));
        EXPECT_EQ(ReadBytes(dir / "memory"), expected);
        EXPECT_EQ(dir.Entries(), std::vector<std::string>{"memory"});
        ASSERT_TRUE(MemoryFile::Load(dir / "memory", c.format));  // and it opens again
    }
}

TEST(MemoryFile, FilesThatHoldNoMemoryAreRefusedWithAReason) {
    struct Case {
        const char* what;
        Bytes file;
        MemoryFileFormat format;
        std::string reasonPart;
    };
    const Case cases[] = {
        {"raw one byte short", Bytes(127), MemoryFileFormat::Raw, "exactly 128 bytes"},
        {"raw one byte long", Bytes(129), MemoryFileFormat::Raw, "holds 129"},
        {"not a data file", Bytes(561, 'A'), MemoryFileFormat::DataFile, "valid Radio data file"},
        {"truncated data file", Bytes{'Q', 'M', 'T', 'F', '4', 0}, MemoryFileFormat::DataFile,
         "holds 6 bytes"},
        {"data file with bytes after the record", Text("QMTF4", 564), MemoryFileFormat::DataFile,
         "holds 564 bytes"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        WriteBytes(dir / "memory", c.file);
        std::string reason;
        EXPECT_FALSE(MemoryFile::Load(dir / "memory", c.format, &reason));
        EXPECT_NE(reason.find(c.reasonPart), std::string::npos) << reason;
    }
    std::string reason;
    EXPECT_FALSE(MemoryFile::Load("/nonexistent/memory", MemoryFileFormat::Raw, &reason));
    EXPECT_FALSE(reason.empty());
}

}  // namespace
}  // namespace tarvex::sim
