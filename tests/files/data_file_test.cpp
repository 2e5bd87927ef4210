#include "files/data_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <bit>
#include <csignal>
#include <cstring>
#include <random>
#include <system_error>

#include "support/file_test_support.h"
#include "support/recording_ui.h"

namespace tarvex {
namespace {

using testing::Bytes;
using testing::Concat;
using testing::ExpectSameState;
using testing::OutRecord;
using testing::PatternImage;
using testing::ReadBytes;
using testing::RecordingUserInterface;
using testing::TempDir;
using testing::TextBytes;
using testing::UsedState;
using testing::WriteBytes;

const testing::UiEvent kInvalidDataFileBox = testing::Message(
    "Invalid Data File", "This doesn't appear to be a valid Radio data file...Please try again.",
    MessageIcon::Critical, MessageButtons::Ok);

Bytes Slice(const Bytes& bytes, std::size_t first, std::size_t count) {
    return Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(first),
                 bytes.begin() + static_cast<std::ptrdiff_t>(first + count));
}

Bytes SavedFile(const TempDir& dir, const DataFileRec& record) {
    ProgramState state;
    state.FileOutRec = record;
    const auto path = dir / "saved.kvd";
    EXPECT_TRUE(WriteDataFile(state, path));
    return ReadBytes(path);
}

// A version-3 file: tag, model code, the name as it stands, the whole image buffer.
Bytes Version3File(std::uint8_t modelCode, const std::string& name, const ImageBuffer& image) {
    return Concat(
        {TextBytes("QMTF3"), Bytes{modelCode}, TextBytes(name), Bytes(image.begin(), image.end())});
}

// The bytes of a version-4 file holding the record, as the program writes it.
DataFileBytes Version4File(DataFileRec record) {
    record.Magic = "QMTF4     ";
    return SerializeDataFile(record);
}

std::string SystemText(int error) {
    return std::system_category().message(error);
}

TEST(WriteDataFile, WritesTheRecordByteForByte) {
    TempDir dir;
    DataFileRec record = OutRecord(20, "ZPT-410", 4.6f, PatternImage(3));
    record.Magic = "stale magic text";
    record.Reserved.fill(0xEE);
    record.Image[512] = 0xEE;

    const Bytes file = SavedFile(dir, record);

    ASSERT_EQ(file.size(), 561u);
    EXPECT_EQ(Slice(file, 0, 10), TextBytes("QMTF4     "));
    EXPECT_EQ(file[10], 20);
    EXPECT_EQ(Slice(file, 11, 18), TextBytes("ZPT-410           "));
    EXPECT_EQ(Slice(file, 29, 4), (Bytes{0x33, 0x33, 0x93, 0x40}));  // 4.6f, low byte first
    EXPECT_EQ(Slice(file, 33, 13), Bytes(13, 0));
    EXPECT_EQ(Slice(file, 46, 2), (Bytes{0x00, 0x02}));
    const ImageBuffer image = PatternImage(3);
    EXPECT_EQ(Slice(file, 48, 512), Bytes(image.begin(), image.begin() + 512));
    EXPECT_EQ(file[560], 0);
}

TEST(WriteDataFile, StampsMagicAndReservedIntoTheSaveRecord) {
    TempDir dir;
    ProgramState state;
    state.FileOutRec = OutRecord(20, "ZPT-410", 6.01f, PatternImage(1));
    state.FileOutRec.Magic = "old";
    state.FileOutRec.Reserved.fill(7);

    ASSERT_TRUE(WriteDataFile(state, dir / "a.kvd"));

    EXPECT_EQ(state.FileOutRec.Magic, "QMTF4     ");
    EXPECT_EQ(state.FileOutRec.Reserved, (std::array<std::uint8_t, kReservedLength>{}));
}

TEST(SerializeDataFile, NumbersAreLittleEndianWhateverTheHost) {
    struct Case {
        float firmware;
        std::int16_t imageLength;
        Bytes firmwareBytes;
        Bytes lengthBytes;
    };
    const Case cases[] = {
        {1.5f, 512, {0x00, 0x00, 0xC0, 0x3F}, {0x00, 0x02}},
        {-2.0f, -2, {0x00, 0x00, 0x00, 0xC0}, {0xFE, 0xFF}},
        {0.0f, 0x1234, {0x00, 0x00, 0x00, 0x00}, {0x34, 0x12}},
        {6.01f, 1, {0xEC, 0x51, 0xC0, 0x40}, {0x01, 0x00}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.firmware);
        DataFileRec record;
        record.FirmwareVersion = c.firmware;
        record.ImageLength = c.imageLength;
        const DataFileBytes bytes = SerializeDataFile(record);
        const Bytes all(bytes.begin(), bytes.end());
        EXPECT_EQ(Slice(all, 29, 4), c.firmwareBytes);
        EXPECT_EQ(Slice(all, 46, 2), c.lengthBytes);

        const DataFileRec back = ParseDataFileV4(bytes);
        EXPECT_EQ(std::bit_cast<std::uint32_t>(back.FirmwareVersion),
                  std::bit_cast<std::uint32_t>(c.firmware));
        EXPECT_EQ(back.ImageLength, c.imageLength);
    }
}

TEST(DataFileModelName, IsStoredBlankPaddedOrCutAndReadBackWithoutTrailingBlanks) {
    struct Case {
        std::string name;
        std::string stored;
        std::string readBack;
    };
    const Case cases[] = {
        {"ZPT-410", "ZPT-410           ", "ZPT-410"},
        {"ABCDEFGHIJKLMNOPQRST", "ABCDEFGHIJKLMNOPQR", "ABCDEFGHIJKLMNOPQR"},
        {"EIGHTEEN-CHARS-ABC", "EIGHTEEN-CHARS-ABC", "EIGHTEEN-CHARS-ABC"},
        {"  ZPT-410", "  ZPT-410         ", "  ZPT-410"},
        {"ZPT 410  ", "ZPT 410           ", "ZPT 410"},
        {"", "                  ", ""},
        {"ABCDEFGHIJKLMNOPQ T", "ABCDEFGHIJKLMNOPQ ", "ABCDEFGHIJKLMNOPQ"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const Bytes file = SavedFile(dir, OutRecord(20, c.name, 6.01f, PatternImage(0)));
        ASSERT_EQ(file.size(), kDataFileSize);
        EXPECT_EQ(Slice(file, 11, 18), TextBytes(c.stored));

        ProgramState state;
        RecordingUserInterface ui;
        ASSERT_TRUE(ReadDataFile(state, dir / "saved.kvd", ui));
        EXPECT_EQ(state.ModelName, c.readBack);
        EXPECT_EQ(state.FileInRec.ModelName, c.stored);
    }
}

TEST(WriteDataFile, SavingOverALongerFileLeavesExactlyTheRecord) {
    TempDir dir;
    const auto path = dir / "long.kvd";
    WriteBytes(path, Bytes(2000, 0xAB));
    ProgramState state;
    state.FileOutRec = OutRecord(20, "ZPT-410", 6.01f, PatternImage(8));

    ASSERT_TRUE(WriteDataFile(state, path));

    const Bytes file = ReadBytes(path);
    const DataFileBytes expected = SerializeDataFile(state.FileOutRec);
    EXPECT_EQ(file, Bytes(expected.begin(), expected.end()));
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"long.kvd"});
}

TEST(WriteDataFile, KeepsThePermissionsAFileWouldHaveIfWrittenInPlace) {
    namespace fs = std::filesystem;
    TempDir dir;
    WriteBytes(dir / "ordinary.txt", TextBytes("made the usual way"));
    WriteBytes(dir / "private.kvd", TextBytes("old"));
    fs::permissions(dir / "private.kvd",
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ProgramState state;
    state.FileOutRec = OutRecord(20, "ZPT-410", 6.01f, PatternImage(2));

    ASSERT_TRUE(WriteDataFile(state, dir / "private.kvd"));
    ASSERT_TRUE(WriteDataFile(state, dir / "new.kvd"));

    EXPECT_EQ(fs::status(dir / "private.kvd").permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(fs::status(dir / "new.kvd").permissions(),
              fs::status(dir / "ordinary.txt").permissions());
}

TEST(WriteDataFile, FailureNamesTheSystemReasonAndLeavesNoTemporaryFile) {
    struct Case {
        const char* behaviour;
        std::string target;  // relative to the test directory
        int error;
    };
    const Case cases[] = {
        {"parent is a regular file", "plain.txt/setup.kvd", ENOTDIR},
        {"parent directory is missing", "missing/setup.kvd", ENOENT},
        {"target is a directory", "folder", EISDIR},
        {"path names a directory", "folder/", EISDIR},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.behaviour);
        TempDir dir;
        WriteBytes(dir / "plain.txt", TextBytes("keep me"));
        std::filesystem::create_directory(dir / "folder");
        WriteBytes(dir / "folder" / "inside.kvd", TextBytes("inside"));
        ProgramState state;
        state.FileOutRec = OutRecord(20, "ZPT-410", 6.01f, PatternImage(2));
        std::string reason;

        EXPECT_FALSE(WriteDataFile(state, dir / c.target, &reason));

        EXPECT_EQ(reason, SystemText(c.error));
        EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"folder", "plain.txt"}));
        EXPECT_EQ(ReadBytes(dir / "plain.txt"), TextBytes("keep me"));
        EXPECT_EQ(ReadBytes(dir / "folder" / "inside.kvd"), TextBytes("inside"));
    }
}

// Lowers the file-size limit so that a write fails part-way, as on a full disk; the signal that
// would end the process is ignored so the write reports the error instead.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = saved_;
        lowered.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }

  private:
    rlimit saved_{};
    void (*previousHandler_)(int) = SIG_DFL;
};

TEST(WriteDataFile, AWriteThatFailsPartWayLeavesTheOldFileAsItWas) {
    TempDir dir;
    const auto path = dir / "setup.kvd";
    const Bytes old = TextBytes("the earlier settings");
    WriteBytes(path, old);
    ProgramState state;
    state.FileOutRec = OutRecord(20, "ZPT-410", 6.01f, PatternImage(4));
    std::string reason;
    bool written = true;
    {
        FileSizeLimit limit(100);
        written = WriteDataFile(state, path, &reason);
    }
    EXPECT_FALSE(written);
    EXPECT_EQ(reason, SystemText(EFBIG));
    EXPECT_EQ(ReadBytes(path), old);
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"setup.kvd"});
}

TEST(ReadDataFile, AFileThatIsNoDataFileIsReportedAndChangesNothing) {
    const Bytes record = [] {
        const DataFileBytes bytes = Version4File(OutRecord(20, "ZPT-410", 6.01f, PatternImage(6)));
        return Bytes(bytes.begin() + 5, bytes.end());
    }();
    struct Case {
        const char* behaviour;
        Bytes content;
    };
    const Case cases[] = {
        {"lower-case version-4 tag", Concat({TextBytes("qmtf4"), record})},
        {"lower-case version-3 tag", Concat({TextBytes("qmtf3"), Bytes{20}, Bytes(513, 1)})},
        {"unknown version", Concat({TextBytes("QMTF5"), record})},
        {"tag not at the start", Concat({TextBytes(" QMTF4"), record})},
        {"empty file", {}},
        {"four bytes of the tag", TextBytes("QMTF")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.behaviour);
        TempDir dir;
        WriteBytes(dir / "odd.kvd", c.content);
        ProgramState state = UsedState();
        const ProgramState before = state;
        RecordingUserInterface ui;

        EXPECT_FALSE(ReadDataFile(state, dir / "odd.kvd", ui));

        EXPECT_EQ(ui.events, std::vector<testing::UiEvent>{kInvalidDataFileBox});
        ExpectSameState(before, state);
    }
}

TEST(ReadDataFile, AFileTooShortForItsLayoutIsRefusedSilently) {
    const DataFileBytes v4 = Version4File(OutRecord(20, "ZPT-410", 6.01f, PatternImage(6)));
    const Bytes v3 = Version3File(20, "", PatternImage(2));
    struct Case {
        const char* behaviour;
        Bytes content;
    };
    const Case cases[] = {
        {"version 4, tag only", Bytes(v4.begin(), v4.begin() + 5)},
        {"version 4, header only", Bytes(v4.begin(), v4.begin() + 48)},
        {"version 4, one byte short", Bytes(v4.begin(), v4.end() - 1)},
        {"version 3, one byte short of an image", Bytes(v3.begin(), v3.end() - 1)},
        {"version 3, tag only", TextBytes("QMTF3")},
        {"version 3, longer name than any model has",
         Version3File(20, std::string(256, 'N'), PatternImage(2))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.behaviour);
        TempDir dir;
        WriteBytes(dir / "short.kvd", c.content);
        ProgramState state = UsedState();
        const ProgramState before = state;
        RecordingUserInterface ui;
        std::string reason;

        EXPECT_FALSE(ReadDataFile(state, dir / "short.kvd", ui, &reason));

        EXPECT_TRUE(ui.events.empty());
        EXPECT_FALSE(reason.empty());
        ExpectSameState(before, state);
    }
}

TEST(ReadDataFile, AFileThatCannotBeReadGivesTheSystemReason) {
    struct Case {
        const char* behaviour;
        std::string path;
        int error;
    };
    const Case cases[] = {
        {"missing file", "absent.kvd", ENOENT},
        {"a directory", "folder", EISDIR},
        {"parent is a regular file", "plain.txt/x.kvd", ENOTDIR},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.behaviour);
        TempDir dir;
        std::filesystem::create_directory(dir / "folder");
        WriteBytes(dir / "plain.txt", TextBytes("QMTF4"));
        ProgramState state = UsedState();
        const ProgramState before = state;
        RecordingUserInterface ui;
        std::string reason;

        EXPECT_FALSE(ReadDataFile(state, dir / c.path, ui, &reason));

        EXPECT_EQ(reason, SystemText(c.error));
        EXPECT_TRUE(ui.events.empty());
        ExpectSameState(before, state);
    }
}

TEST(ReadDataFile, Version4FillsTheImageAndIdentityButKeepsTheSpareByte) {
    TempDir dir;
    DataFileRec record = OutRecord(7, "OLD-7", 4.5f, PatternImage(11));
    record.Image[512] = 0x77;  // never written by the program; other tools might
    const DataFileBytes bytes = Version4File(record);
    WriteBytes(dir / "v4.kvd", Bytes(bytes.begin(), bytes.end()));
    ProgramState state = UsedState();
    state.RadioData[512] = 0x5A;
    RecordingUserInterface ui;

    ASSERT_TRUE(ReadDataFile(state, dir / "v4.kvd", ui));

    const ImageBuffer image = PatternImage(11);
    EXPECT_TRUE(std::equal(image.begin(), image.begin() + 512, state.RadioData.begin()));
    EXPECT_EQ(state.RadioData[512], 0x5A);
    EXPECT_EQ(state.ModelCode, 7);
    EXPECT_EQ(state.ModelName, "OLD-7");
    EXPECT_EQ(state.FirmwareVersion, 4.5f);
    EXPECT_EQ(state.FileInRec.Magic, "QMTF4     ");
    EXPECT_EQ(state.FileInRec.ModelName, "OLD-7             ");
    EXPECT_EQ(state.FileInRec.Image[512], 0x77);
    EXPECT_EQ(state.MainData.ModelCode, 42);  // the caller sets it after decoding
    EXPECT_TRUE(ui.events.empty());
}

TEST(ReadDataFile, IgnoresBytesAfterTheRecordAndTheRestOfTheMagic) {
    TempDir dir;
    DataFileBytes record = Version4File(OutRecord(20, "ZPT-410", 6.01f, PatternImage(12)));
    std::memcpy(record.data() + 5, "xyz!?", 5);
    WriteBytes(dir / "tail.kvd", Concat({Bytes(record.begin(), record.end()), Bytes(300, 0xFF)}));
    ProgramState state;
    RecordingUserInterface ui;

    ASSERT_TRUE(ReadDataFile(state, dir / "tail.kvd", ui));

    const ImageBuffer image = PatternImage(12);
    EXPECT_TRUE(std::equal(image.begin(), image.begin() + 512, state.RadioData.begin()));
    EXPECT_EQ(state.ModelName, "ZPT-410");
    EXPECT_EQ(state.FileInRec.Magic, "QMTF4xyz!?");
}

TEST(ReadDataFile, Version3TakesTheLastImageBytesAndDerivesTheFirmware) {
    struct Case {
        std::uint8_t modelCode;
        std::string name;
        float firmware;
    };
    const Case cases[] = {
        {7, "", 4.6f},
        {7, "OLD-7", 4.6f},
        {20, "ZPT-410", 6.01f},
        {3, "EIGHTEEN-CHARS-ABC", 6.01f},
        {0, "  padded name     ", 6.01f},
        {8, std::string(255, 'L'), 6.01f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const ImageBuffer image = PatternImage(static_cast<std::uint8_t>(c.name.size()));
        WriteBytes(dir / "v3.kvd", Version3File(c.modelCode, c.name, image));
        ProgramState state = UsedState();
        const DataFileRec fileInBefore = state.FileInRec;
        RecordingUserInterface ui;

        ASSERT_TRUE(ReadDataFile(state, dir / "v3.kvd", ui));

        EXPECT_EQ(state.RadioData, image);  // all 513 bytes, the spare one included
        EXPECT_EQ(state.ModelCode, c.modelCode);
        EXPECT_EQ(state.ModelName, c.name);
        EXPECT_EQ(state.FirmwareVersion, c.firmware);
        EXPECT_TRUE(state.FileInRec == fileInBefore);
        EXPECT_TRUE(ui.events.empty());
    }
}

TEST(ReadDataFile, MemoryMapIsKnownAfterAZpt410FileAndKeptOtherwise) {
    struct Case {
        const char* behaviour;
        Bytes content;
        std::int16_t addrMapCode;
    };
    const DataFileBytes v4Zpt = Version4File(OutRecord(20, "ZPT-410", 6.01f, PatternImage(0)));
    const DataFileBytes v4Old = Version4File(OutRecord(7, "OLD-7", 4.6f, PatternImage(0)));
    const Case cases[] = {
        {"version 4, model 20", Bytes(v4Zpt.begin(), v4Zpt.end()), 170},
        {"version 4, model 7", Bytes(v4Old.begin(), v4Old.end()), 33},
        {"version 3, model 20", Version3File(20, "ZPT-410", PatternImage(0)), 170},
        {"version 3, model 7", Version3File(7, "OLD-7", PatternImage(0)), 33},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.behaviour);
        TempDir dir;
        WriteBytes(dir / "f.kvd", c.content);
        ProgramState state = UsedState();  // AddrMapCode 33
        RecordingUserInterface ui;

        ASSERT_TRUE(ReadDataFile(state, dir / "f.kvd", ui));

        EXPECT_EQ(state.AddrMapCode, c.addrMapCode);
    }
}

// Any record the program writes opens again with the same identity and image, bit for bit.
TEST(DataFileRoundTrip, EveryWrittenRecordOpensAgain) {
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> printable(33, 126);
    std::uniform_int_distribution<std::size_t> nameLength(0, 18);
    TempDir dir;
    for (int run = 0; run < 200; ++run) {
        SCOPED_TRACE(run);
        ImageBuffer image{};
        for (std::size_t i = 0; i < kImageSize; ++i) {
            image[i] = static_cast<std::uint8_t>(byte(random));
        }
        std::string name(nameLength(random), ' ');
        for (std::size_t i = 0; i < name.size(); ++i) {
            // Inner blanks are part of the name; only trailing ones are padding.
            name[i] = (i > 0 && i + 1 < name.size() && byte(random) < 40)
                          ? ' '
                          : static_cast<char>(printable(random));
        }
        std::uint32_t firmwareBits = 0;
        for (int i = 0; i < 4; ++i) {
            firmwareBits = (firmwareBits << 8) | static_cast<std::uint32_t>(byte(random));
        }
        const float firmware = std::bit_cast<float>(firmwareBits);
        const auto modelCode = static_cast<std::uint8_t>(byte(random));

        ProgramState writer;
        writer.FileOutRec = OutRecord(modelCode, name, firmware, image);
        const auto path = dir / ("round-" + std::to_string(run) + ".kvd");
        ASSERT_TRUE(WriteDataFile(writer, path));
        ProgramState reader;
        RecordingUserInterface ui;
        ASSERT_TRUE(ReadDataFile(reader, path, ui));

        EXPECT_EQ(reader.ModelCode, modelCode);
        EXPECT_EQ(reader.ModelName, name);
        EXPECT_EQ(std::bit_cast<std::uint32_t>(reader.FirmwareVersion), firmwareBits);
        EXPECT_TRUE(std::equal(image.begin(), image.begin() + 512, reader.RadioData.begin()));
        EXPECT_EQ(reader.RadioData[512], 0);
        EXPECT_TRUE(ui.events.empty());
    }
}

TEST(DataFileRoundTrip, ParseGivesBackEverySerializedField) {
    std::mt19937 random(561);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int run = 0; run < 100; ++run) {
        SCOPED_TRACE(run);
        DataFileRec record;
        record.Magic.resize(kMagicLength);
        record.ModelName.resize(kModelNameLength);
        for (char& c : record.Magic) {
            c = static_cast<char>(byte(random));
        }
        for (char& c : record.ModelName) {
            c = static_cast<char>(byte(random));
        }
        record.ModelCode = static_cast<std::uint8_t>(byte(random));
        record.FirmwareVersion = static_cast<float>(byte(random)) / 8.0f;
        for (auto& b : record.Reserved) {
            b = static_cast<std::uint8_t>(byte(random));
        }
        record.ImageLength = static_cast<std::int16_t>(byte(random) * 256 + byte(random) - 32768);
        for (auto& b : record.Image) {
            b = static_cast<std::uint8_t>(byte(random));
        }

        EXPECT_TRUE(ParseDataFileV4(SerializeDataFile(record)) == record);
    }
}

}  // namespace
}  // namespace tarvex
