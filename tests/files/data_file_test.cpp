#include "files/data_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "support/file_test_support.h"
#include "support/recording_ui.h"

namespace tarvex {
namespace {

using namespace testing;

// Random images; the name is fitted to 18 characters and read back without trailing blanks.
TEST(DataFile, ASavedFileHasTheFixedLayoutAndOpensAgain) {
    struct Case {
        std::uint8_t modelCode;
        std::string name;
        std::string stored;
        std::string readBack;
        std::int16_t addrMapCode;  // known after model 20, else as it was
    };
    const Case cases[] = {
        {20, "ZPT-410", "ZPT-410           ", "ZPT-410", 170},
        {7, "ABCDEFGHIJKLMNOPQRST", "ABCDEFGHIJKLMNOPQR", "ABCDEFGHIJKLMNOPQR", 33},
        {0, "  ZPT 410  ", "  ZPT 410         ", "  ZPT 410", 33},
        {255, "", "                  ", "", 33},
        {21, "ABCDEFGHIJKLMNOPQ T", "ABCDEFGHIJKLMNOPQ ", "ABCDEFGHIJKLMNOPQ", 33},
    };
    std::mt19937 random(20240611);
    TempDir dir;
    for (int run = 0; run < 200; ++run) {
        const Case& c = cases[run % 5];
        SCOPED_TRACE(::testing::Message() << "run " << run << ", name '" << c.name << "'");
        ImageBuffer image{};
        std::generate(image.begin(), image.end(),
                      [&] { return static_cast<std::uint8_t>(random()); });
        WriteBytes(dir / "long.kvd", Bytes(2000, 0xAB));
        ProgramState writer;
        writer.FileOutRec = OutRecord(c.modelCode, c.name, 4.6f, image);
        writer.FileOutRec.Reserved.fill(0xEE);
        writer.FileOutRec.Image[512] = 0xEE;  // the spare byte is never saved

        ASSERT_TRUE(WriteDataFile(writer, dir / "long.kvd"));

        Bytes expected =
            Text("QMTF4     " + std::string(1, static_cast<char>(c.modelCode)) + c.stored);
        expected.insert(expected.end(), {0x33, 0x33, 0x93, 0x40});  // 4.6f, low byte first
        expected.resize(46);                                        // reserved zeros
        expected.insert(expected.end(), {0x00, 0x02});              // length 512, low byte first
        expected.insert(expected.end(), image.begin(), image.begin() + 512);
        expected.push_back(0);
        EXPECT_EQ(ReadBytes(dir / "long.kvd"), expected);

        ProgramState reader = UsedState();
        RecordingUserInterface ui;
        ASSERT_TRUE(ReadDataFile(reader, dir / "long.kvd", ui));
        EXPECT_EQ(reader.ModelCode, c.modelCode);
        EXPECT_EQ(reader.ModelName, c.readBack);
        EXPECT_EQ(reader.FirmwareVersion, 4.6f);
        EXPECT_EQ(reader.AddrMapCode, c.addrMapCode);
        image[512] = UsedState().RadioData[512];  // version 4 leaves the spare byte alone
        EXPECT_EQ(reader.RadioData, image);
        writer.FileOutRec.ModelName = c.stored;
        EXPECT_TRUE(reader.FileInRec == writer.FileOutRec);
    }
}

// Version 3: tag, model code, a name of 0 to 255 characters, the whole image buffer; its firmware
// and address map follow from the model. A refused file changes nothing; one that is no data file
// at all gets the box, a short one only a reason.
TEST(ReadDataFile, TakesVersion3WholeAndRefusesAFileWithoutChangingAnything) {
    const auto version3 = [](std::uint8_t model, const std::string& name) {
        const ImageBuffer image = PatternImage(model);
        return Text("QMTF3" + std::string(1, static_cast<char>(model)) + name +
                    std::string(image.begin(), image.end()));
    };
    enum Outcome { Read, Box, Reason };
    struct Case {
        Bytes content;
        Outcome outcome;
        std::string name = {};  // read: as it stands, with the model, firmware and address map
        float firmware = 0;
        std::int16_t addrMapCode = 0;  // known after model 20, else as it was
    };
    const Case cases[] = {
        {version3(7, ""), Read, "", 4.6f, 33},
        {version3(20, "ZPT-410"), Read, "ZPT-410", 6.01f, 170},
        {version3(8, std::string(255, 'L')), Read, std::string(255, 'L'), 6.01f, 33},
        {Text("qmtf4", 561), Box},
        {Text("QMTF5", 561), Box},
        {{}, Box},
        {Text("QMTF4", 560), Reason},
        {Text("QMTF3", 518), Reason},
        {Text("QMTF3", 775), Reason},  // a name longer than any model has
    };
    const UiEvent box =
        Message("Invalid Data File",
                "This doesn't appear to be a valid Radio data file...Please try again.",
                MessageIcon::Critical, MessageButtons::Ok);
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.content.size() << " bytes, outcome " << c.outcome);
        TempDir dir;
        WriteBytes(dir / "f.kvd", c.content);
        ProgramState state = UsedState();
        RecordingUserInterface ui;
        std::string reason;

        EXPECT_EQ(ReadDataFile(state, dir / "f.kvd", ui, &reason), c.outcome == Read);

        EXPECT_EQ(ui.events, c.outcome == Box ? std::vector<UiEvent>{box} : std::vector<UiEvent>{});
        EXPECT_EQ(reason.empty(), c.outcome == Read);
        if (c.outcome != Read) {
            EXPECT_TRUE(AllFields(state) == AllFields(UsedState()));
            continue;
        }
        EXPECT_EQ(state.RadioData, PatternImage(c.content[5]));  // all 513 bytes
        EXPECT_EQ(state.ModelCode, c.content[5]);
        EXPECT_EQ(state.ModelName, c.name);
        EXPECT_EQ(state.FirmwareVersion, c.firmware);
        EXPECT_EQ(state.AddrMapCode, c.addrMapCode);
    }
}

}  // namespace
}  // namespace tarvex
