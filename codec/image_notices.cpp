#include "codec/image_notices.h"

#include "codec/custom_tone.h"
#include "codec/freq_codec.h"
#include "codec/image_layout.h"
#include "codec/number_text.h"
#include "codec/squelch_rows.h"

namespace tarvex {
namespace {

using namespace image;

constexpr std::string_view kSquelchCaption = "Coded Squelch Options";

std::string ByteText(std::uint8_t value) {
    return std::to_string(value) + " (hex " + ByteToHex(value) + ")";
}

// Bits set beside the two the slots show, or that no row stands for.
void NoteUnshownSquelchBits(const ImageBuffer& image, std::vector<ImageNotice>& notices) {
    const std::array<int, 2> shown = SlotSquelchBits(image);
    std::string bits;
    for (int n = 1; n <= kLastSquelchBit; ++n) {
        if (IsSquelchBitSet(image, n) && n != shown[0] && n != shown[1]) {
            bits += (bits.empty() ? "" : ", ") + std::to_string(n);
        }
    }
    if (!bits.empty()) {
        notices.push_back({std::string(kSquelchCaption),
                           "bits " + bits +
                               " of the coded-squelch map (bytes 96 to 114) are set, which no "
                               "row of the two slots shows; the next save or program clears them"});
    }
    const auto slot1 = SlotRowOfSquelchBit(shown[0]);
    const auto slot2 = SlotRowOfSquelchBit(shown[1]);
    // Lower bits come first, so a tone in slot 2 has one in slot 1 too.
    if (slot1 && slot2 && !IsDmkRow(*slot1)) {
        notices.push_back({std::string(kSquelchCaption),
                           "both slots hold a setting although one is a tone, and the repeater "
                           "takes one tone or up to two DMK codes; Save File and Print set slot "
                           "2 to \"Inactive\""});
    }
}

void NoteUnshownPttByte(const ImageBuffer& image, std::vector<ImageNotice>& notices) {
    const std::uint8_t value = image[kPttExtEnc];
    if (!PttByteHasRow(value)) {
        notices.push_back({"PTT/EXT Encode", "the repeater holds code byte " + ByteText(value) +
                                                 ", which no row of the list writes; the list "
                                                 "shows a None row, and the next save or program "
                                                 "writes None (255)"});
    }
}

void NoteMissingCustomTone(const ImageBuffer& image, std::vector<ImageNotice>& notices) {
    if (!ShownCustomTone({image[kCustomToneDivA], image[kCustomToneDivB]})) {
        notices.push_back({"Custom MK Freq Hz",
                           "the repeater holds no custom tone (byte 19 or 20 is 0); the next save "
                           "or program writes the tone of the field, 67 Hz when it is empty"});
    }
}

}  // namespace

std::vector<ImageNotice> ImageNotices(const ImageBuffer& image) {
    std::vector<ImageNotice> notices;
    for (std::size_t i = kTXFreq; i < kFreqAreaEnd; ++i) {
        if (!IsBCDByte(image[i])) {
            return notices;
        }
    }
    NoteUnshownSquelchBits(image, notices);
    NoteUnshownPttByte(image, notices);
    NoteMissingCustomTone(image, notices);
    return notices;
}

}  // namespace tarvex
