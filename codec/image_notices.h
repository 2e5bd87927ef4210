#pragma once

#include <string>
#include <vector>

#include "codec/program_state.h"

namespace tarvex {

// A setting of an image that the main window cannot show as the repeater holds it, so that the
// next save or program would change it.
struct ImageNotice {
    std::string setting;  // its caption on the main window
    std::string text;     // what the repeater holds and what the next save or program does

    friend bool operator==(const ImageNotice&, const ImageNotice&) = default;
};

// Every such setting of an image of the ZPT-410 whose frequencies decode; none for an image the
// program wrote itself.
std::vector<ImageNotice> ImageNotices(const ImageBuffer& image);

}  // namespace tarvex
