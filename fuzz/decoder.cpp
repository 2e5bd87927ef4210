// A repeater's 128 bytes, decoded as after Radio > Read, with every text the window then shows.
#include <algorithm>

#include "editor/decode_radio_data.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tarvex::fuzz::Window window;
    tarvex::ProgramState& state = window.session.state;
    std::copy_n(data, std::min(size, tarvex::kRepeaterMemorySize), state.RadioData.begin());
    tarvex::DecodeRadioData(state.MainData, state.RadioData, state.Step5kHz, window.session.screen);
    tarvex::cli::SettingsText(window.session);
    tarvex::cli::SettingsJson(window.session).dump();
    return 0;
}
