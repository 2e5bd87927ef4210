// (a) A repeater image's settings, encoded over that same image and decoded again, are the same
// settings. Images whose settings the window refuses to commit are left out: it says why.
#include <algorithm>

#include "codec/encoder.h"
#include "editor/commit.h"
#include "editor/decode_radio_data.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tarvex;
    fuzz::Window first;
    ProgramState& state = first.session.state;
    std::copy_n(data, std::min(size, kRepeaterMemorySize), state.RadioData.begin());
    if (!DecodeRadioData(state.MainData, state.RadioData, state.Step5kHz, first.session.screen)) {
        return 0;
    }
    const MainDataRec decoded = state.MainData;
    const std::string shown = first.Settings();
    MainDataRec committed;
    if (!CommitMainData(first.session.screen, committed, first.session.range, first.ui) ||
        !EncodeRadioData(state, state.Identity(), PolarityTicksOf(first.session.screen),
                         first.ui)) {
        return 0;
    }
    fuzz::Window second;
    DecodeRadioData(second.session.state.MainData, state.OutData, false, second.session.screen);
    if (!(second.session.state.MainData == decoded)) {
        fuzz::Broken("image, decode, encode, decode",
                     fuzz::Difference(shown, second.Settings()) + "  (the records differ)\n",
                     shown);
    }
    return 0;
}
