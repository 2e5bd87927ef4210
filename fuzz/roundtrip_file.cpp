// (c) A data file opened and saved, then opened and saved again: the second opening shows the
// settings of the first (unless the window said why not), and the second save writes the bytes
// of the first.
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tarvex::fuzz;
    Window first;
    if (!first.Open(WriteScratch("input.kvd", data, size))) {
        return 0;
    }
    const std::string shown = first.Settings();
    const std::string saved = Scratch("saved.kvd");
    if (!first.Save(saved)) {
        return 0;
    }
    Window second;
    if (!second.Open(saved)) {
        Broken("open, save, open", "  the saved file does not open\n");
        return 0;
    }
    if (!first.Told()) {
        CheckSame("open, save, open", shown, second.Settings());
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
