#include "sim/memory_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>

#include "support/file_test_support.h"

namespace tarvex::sim {
namespace {

using namespace tarvex::testing;

const std::filesystem::path kSamples = std::filesystem::path(TARVEX_SOURCE_DIR) / "samples";

// A save changes the repeater's 128 bytes where the file keeps them and nothing else: here the
// last 513 bytes of a version-3 file. Version-4 and raw files are saved end to end (tests/e2e and
// tests/qtserial).
TEST(MemoryFile, SavingWritesBackOnlyTheRepeatersBytesInTheFilesOwnLayout) {
    const Bytes v3 = ReadBytes(kSamples / "legacy-v3.kvd");
    const auto at = static_cast<std::ptrdiff_t>(v3.size() - 513);
    TempDir dir;
    WriteBytes(dir / "memory", v3);
    std::string reason;
    std::optional<MemoryFile> file =
        MemoryFile::Load(dir / "memory", MemoryFileFormat::DataFile, &reason);
    ASSERT_TRUE(file) << reason;
    EXPECT_TRUE(std::equal(file->memory().begin(), file->memory().end(), v3.begin() + at));

    RepeaterMemory changed = file->memory();
    std::reverse(changed.begin(), changed.end());
    ASSERT_TRUE(file->Save(changed, &reason)) << reason;
    Bytes expected = v3;
    std::copy(changed.begin(), changed.end(), expected.begin() + at);
    EXPECT_EQ(ReadBytes(dir / "memory"), expected);
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"memory"});
    ASSERT_TRUE(
        MemoryFile::Load(dir / "memory", MemoryFileFormat::DataFile));  // and it opens again
}

TEST(MemoryFile, FilesThatHoldNoMemoryAreRefusedWithAReason) {
    const std::tuple<const char*, Bytes, MemoryFileFormat, std::string> cases[] = {
        {"raw one byte short", Bytes(127), MemoryFileFormat::Raw, "exactly 128 bytes"},
        {"raw one byte long", Bytes(129), MemoryFileFormat::Raw, "holds 129"},
        {"not a data file", Bytes(561, 'A'), MemoryFileFormat::DataFile, "valid Radio data file"},
        {"truncated data file", Bytes{'Q', 'M', 'T', 'F', '4', 0}, MemoryFileFormat::DataFile,
         "holds 6 bytes"},
        {"data file with bytes after the record", Text("QMTF4", 564), MemoryFileFormat::DataFile,
         "holds 564 bytes"},
    };
    for (const auto& [what, file, format, reasonPart] : cases) {
        SCOPED_TRACE(what);
        TempDir dir;
        WriteBytes(dir / "memory", file);
        std::string reason;
        EXPECT_FALSE(MemoryFile::Load(dir / "memory", format, &reason));
        EXPECT_NE(reason.find(reasonPart), std::string::npos) << reason;
    }
    std::string reason;
    EXPECT_FALSE(MemoryFile::Load("/nonexistent/memory", MemoryFileFormat::Raw, &reason));
    EXPECT_FALSE(reason.empty());
}

}  // namespace
}  // namespace tarvex::sim
