// (b) The settings the window shows for a repeater image, saved (slot rule, commit, encode) and
// shown again, read the same; where reading finds a setting it cannot show as held, or saving
// refuses or changes one, the window says so.
#include <algorithm>

#include "app/file_menu.h"
#include "editor/decode_radio_data.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tarvex;
    fuzz::Window window;
    ProgramState& state = window.session.state;
    std::copy_n(data, std::min(size, kRepeaterMemorySize), state.RadioData.begin());
    DecodeRadioData(state.MainData, state.RadioData, state.Step5kHz, window.session.screen);
    ShowSettingsNotKept(state, window.ui);  // as Radio > Read does
    const std::string shown = window.Settings();
    const std::size_t read = window.Told();
    if (!PrepareOutputData(window.session, window.ui) || window.Told() > read) {
        return 0;
    }
    fuzz::Window again;
    DecodeRadioData(again.session.state.MainData, state.OutData, false, again.session.screen);
    fuzz::CheckSame("shown, saved, shown again", shown, again.Settings(), &window);
    return 0;
}
