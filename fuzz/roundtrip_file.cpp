// (c) A data file opened and saved, then opened and saved again: the second opening shows the
// settings of the first but for those the first opening named as not kept, and no new box; unless
// saving said why not. The second save writes the bytes of the first.
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
    // A box on opening what the program wrote only repeats the first opening's.
    if (first.Messages().find(second.Messages()) == std::string::npos) {
        Broken("open, save, open", "  the saved file opens with a new box\n" + second.Messages());
    }
    if (first.Told() == opened) {
        CheckSame("open, save, open", shown, second.Settings(), &first);
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
