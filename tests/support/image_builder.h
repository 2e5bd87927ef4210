#pragma once

#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <utility>

#include "codec/program_state.h"

namespace tarvex::testing {

// Builds an image byte by byte for a test: a valid frequency area unless told otherwise.
class ImageBuilder {
  public:
    ImageBuilder() {
        set(0, {0x45, 0x10, 0x12});  // 451.0125
        set(3, {0x46, 0x10, 0x12});  // 461.0125
    }
    ImageBuilder& set(std::size_t first, std::initializer_list<std::uint8_t> bytes) {
        for (std::uint8_t b : bytes) {
            image_[first++] = b;
        }
        return *this;
    }
    ImageBuilder& text(std::size_t first, std::string_view characters) {
        for (char c : characters) {
            image_[first++] = static_cast<std::uint8_t>(c);
        }
        return *this;
    }
    // Sets coded-squelch bit number n (1 = bit 0 of byte 96).
    ImageBuilder& squelchBit(int n) {
        image_[96 + static_cast<std::size_t>((n - 1) / 8)] |=
            static_cast<std::uint8_t>(1u << ((n - 1) % 8));
        return *this;
    }
    ImageBuilder& fill(std::uint8_t value) {
        image_.fill(value);
        return *this;
    }
    ImageBuffer build() const { return image_; }
    operator ImageBuffer() const { return image_; }

  private:
    ImageBuffer image_{};
};

}  // namespace tarvex::testing
