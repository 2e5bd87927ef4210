#pragma once

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <sstream>
#include <string>

#include "codec/program_state.h"

namespace tarvex::testing {

// Builds an image byte by byte for a test: a valid frequency area (451.0125, 461.0125), then
// the script's changes.
class ImageBuilder {
  public:
    explicit ImageBuilder(const std::string& script = "") {
        apply("0=0x45,0x10,0x12,0x46,0x10,0x12 " + script);
    }
    ImageBuilder& set(std::size_t first, std::initializer_list<std::uint8_t> bytes) {
        std::copy(bytes.begin(), bytes.end(), image_.begin() + static_cast<std::ptrdiff_t>(first));
        return *this;
    }
    // Applies a blank-separated script: "N=V,W" sets bytes N, N+1 (decimal or 0x hexadecimal),
    // "N:text" sets their character codes ('_' for a blank), "bitN" sets coded-squelch bit N
    // (1 = bit 0 of byte 96).
    ImageBuilder& apply(const std::string& script) {
        std::istringstream in(script);
        for (std::string token; in >> token;) {
            const std::size_t at = token.find_first_of("=:");
            if (token.starts_with("bit")) {
                const int n = std::stoi(token.substr(3)) - 1;
                image_[96 + static_cast<std::size_t>(n / 8)] |=
                    static_cast<std::uint8_t>(1u << (n % 8));
            } else if (token[at] == ':') {
                std::string characters = token.substr(at + 1);
                std::replace(characters.begin(), characters.end(), '_', ' ');
                std::copy(characters.begin(), characters.end(), image_.begin() + std::stol(token));
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
    operator ImageBuffer() const { return image_; }

  private:
    ImageBuffer image_{};
};

}  // namespace tarvex::testing
