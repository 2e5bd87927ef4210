#pragma once

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <sstream>
#include <string>
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
    // Applies a blank-separated script: "N=V,W" sets bytes N, N+1 (decimal or 0x hexadecimal),
    // "N:text" sets their character codes ('_' for a blank), "bitN" sets coded-squelch bit N.
    ImageBuilder& apply(const std::string& script) {
        std::istringstream in(script);
        for (std::string token; in >> token;) {
            const std::size_t at = token.find_first_of("=:");
            if (token.starts_with("bit")) {
                squelchBit(std::stoi(token.substr(3)));
            } else if (token[at] == ':') {
                std::string characters = token.substr(at + 1);
                std::replace(characters.begin(), characters.end(), '_', ' ');
                text(std::stoul(token), characters);
            } else {
                std::istringstream values(token.substr(at + 1));
                std::size_t n = std::stoul(token);
                for (std::string v; std::getline(values, v, ',');) {
                    image_[n++] = static_cast<std::uint8_t>(std::stoul(v, nullptr, 0));
                }
            }
        }
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
