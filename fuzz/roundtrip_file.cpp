// (c) A data file opened and saved, then opened and saved again: the second opening shows the
// settings of the first but for those the first opening named as not kept, and no box; unless
// saving said why not. The second save writes the bytes of the first.
#include <bit>

#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tarvex::fuzz;
    Window first;
    if (!first.Open(WriteScratch("input.kvd", data, size))) {
        return 0;
    }
    const std::string shown = first.Settings();
    const std::size_t opened = first.Told();
    const std::string saved = Scratch("saved.kvd");
    if (!first.Save(saved)) {
        return 0;
    }
    Window second;
    if (!second.Open(saved)) {
        Broken("open, save, open", "  the saved file does not open\n");
        return 0;
    }
    // What the program wrote opens without a box, but for a model whose settings it does not write,
    // which it keeps as it found it.
    if (second.Told() > 0 && first.session.state.ModelCode == tarvex::kZpt410ModelCode) {
        Broken("open, save, open", "  the saved file opens with a box\n" + second.Messages());
    }
    if (first.Told() == opened) {
        CheckSame("open, save, open", shown, second.Settings(), &first);
        const tarvex::ProgramState& a = first.session.state;
        const tarvex::ProgramState& b = second.session.state;
        if (a.ModelCode != b.ModelCode ||
            std::bit_cast<std::uint32_t>(a.FirmwareVersion) !=
                std::bit_cast<std::uint32_t>(b.FirmwareVersion) ||
            (a.ModelName != b.ModelName && !first.NotKept("Model name"))) {
            Broken("open, save, open", "  the identity differs\n", shown);
        }
    }
    const std::string resaved = Scratch("resaved.kvd");
    if (!second.Save(resaved)) {
        Broken("open, save, open, save",
               "  the saved file cannot be saved again\n" + second.Messages(), second.Settings());
        return 0;
    }
    const std::string bytes = ReadScratch(saved);
    const std::string again = ReadScratch(resaved);
    if (bytes != again) {
        Broken("open, save, open, save", ByteDifference(bytes, again), second.Settings());
    }
    return 0;
}
