#include "samples/sample_settings.h"

#include <stdexcept>

#include "codec/encoder.h"
#include "files/data_file.h"
#include "files/file_writer.h"

namespace tarvex::samples {
namespace {

// Samples must encode without a single message.
class SilentUserInterface : public UserInterface {
  public:
    MessageResult ShowMessage(const MessageBox& box) override {
        throw std::runtime_error("sample settings refused: " + box.text);
    }
    void Beep() override {}
    std::optional<std::string> InputBox(const std::string& prompt, const std::string&,
                                        const std::string&) override {
        throw std::runtime_error("sample settings asked: " + prompt);
    }
    void SetFocus(std::string_view, int) override {}
};

struct Sample {
    std::string fileName;
    MainDataRec settings;
    PolarityTicks ticks;
    RadioIdentity identity{kZpt410ModelCode, std::string(kZpt410ModelName), 1.0f,
                           kMappedAddrMapCode};
};

}  // namespace

MainDataRec ToneRepeaterSettings() {
    MainDataRec d;
    d.TXFreq = "451.0125";
    d.RXFreq = "456.0125";
    d.MKSlot = {12, 136};  // "12 MK 100.0 Hz", Inactive
    d.PTTExtEnc = 12;
    d.CustomMKFreq = 67.0f;
    d.MorseCodeID = "VK2RPT";
    d.IDTXInterval = 10.0f;
    d.MKEncodewID = true;
    d.TXTimeOutTimer = 3.0f;
    d.TXHangTime = 1.0f;
    d.SqlTailMuteTime = 0.5f;
    d.MonitorMode = 1;
    d.CustID = "ACME RADIO";
    return d;
}

namespace {

MainDataRec DmkPair() {
    MainDataRec d;
    d.TXFreq = "470.5000";
    d.RXFreq = "475.5000";
    d.MKSlot = {52, 134};  // "DMK 023", "DMK 754"
    d.PTTExtEnc = 68;      // "DMK 116"
    d.CustomMKFreq = 67.0f;
    d.MorseCodeID = "";
    d.IDTXInterval = 0.0f;
    d.MKEncodewID = false;
    d.TXTimeOutTimer = 0.0f;
    d.TXHangTime = 0.8f;
    d.SqlTailMuteTime = 0.2f;
    d.MonitorMode = 0;
    d.CustID = "SITE 7";
    return d;
}

MainDataRec CustomTone() {
    MainDataRec d;
    d.TXFreq = "400.0000";
    d.RXFreq = "512.0000";
    d.MKSlot = {137, 136};  // Custom MK, Inactive
    d.PTTExtEnc = 135;      // Custom MK
    d.CustomMKFreq = 123.4f;
    d.MorseCodeID = "K9XYZ";
    d.IDTXInterval = 34.0f;
    d.MKEncodewID = false;
    d.TXTimeOutTimer = 34.0f;
    d.TXHangTime = 7.0f;
    d.SqlTailMuteTime = 7.0f;
    d.MonitorMode = 0;
    d.CustID = "0123456789";
    return d;
}

// A template as a repeater would hand it over: bytes the program does not interpret are set, so
// the samples show that they are carried.
ImageBuffer RepeaterTemplate() {
    ImageBuffer image{};
    for (std::size_t i = 0; i < kRepeaterMemorySize; ++i) {
        image[i] = static_cast<std::uint8_t>(0x11 * (i % 15));
    }
    return image;
}

void WriteBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::string reason;
    if (!WriteWholeFile(path, bytes, &reason)) {
        throw std::runtime_error("cannot write " + path.string() + ": " + reason);
    }
}

ProgramState Encoded(const Sample& sample, const ImageBuffer& templateImage) {
    ProgramState state;
    state.MainData = sample.settings;
    state.RadioData = templateImage;
    SilentUserInterface ui;
    if (!EncodeRadioData(state, sample.identity, sample.ticks, ui)) {
        throw std::runtime_error("cannot encode " + sample.fileName);
    }
    return state;
}

// The older layout: tag, model code, the name, then the whole 513-byte image buffer.
std::vector<std::uint8_t> Version3File(const ProgramState& state, const std::string& name) {
    std::vector<std::uint8_t> bytes = {'Q', 'M', 'T', 'F', '3', kZpt410ModelCode};
    bytes.insert(bytes.end(), name.begin(), name.end());
    bytes.insert(bytes.end(), state.OutData.begin(), state.OutData.end());
    return bytes;
}

}  // namespace

std::vector<std::string> WriteSampleFiles(const std::filesystem::path& folder) {
    const std::vector<Sample> samples = {
        {"mk-tone-repeater.kvd", ToneRepeaterSettings(), {}},
        {"dmk-pair.kvd", DmkPair(), {true, true}},
        {"custom-tone.kvd", CustomTone(), {}},
    };
    std::vector<std::string> written;
    for (const Sample& sample : samples) {
        ProgramState state = Encoded(sample, RepeaterTemplate());
        std::string reason;
        if (!WriteDataFile(state, folder / sample.fileName, &reason)) {
            throw std::runtime_error("cannot write " + sample.fileName + ": " + reason);
        }
        written.push_back(sample.fileName);
    }

    const ProgramState legacy = Encoded(samples.front(), RepeaterTemplate());
    WriteBytes(folder / "legacy-v3.kvd", Version3File(legacy, std::string(kZpt410ModelName)));
    written.emplace_back("legacy-v3.kvd");
    return written;
}

}  // namespace tarvex::samples
