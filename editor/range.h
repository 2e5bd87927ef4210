#pragma once

#include <cstdint>
#include <string_view>

#include "editor/screen_model.h"
#include "services/user_interface.h"

namespace tarvex {

// Character classes of a field tag, by their tag letter.
inline constexpr std::int16_t kClassInteger = 0;  // "I"
inline constexpr std::int16_t kClassDecimal = 1;  // "D"
inline constexpr std::int16_t kClassFloat = 2;    // "F"
inline constexpr std::int16_t kClassPhone = 3;    // "P"
inline constexpr std::int16_t kClassText = 4;     // "T"

inline constexpr std::string_view kOutOfRangeTitle = "Out of Range!";

// The Range module: filters a tagged text field by its character class and checks it against the
// limits in its tag ("F|0|7|"). Its state is shared by all calls and overwritten by each; an empty
// field afterwards tells the caller that the value was refused.
struct RangeModule {
    std::int16_t FieldClass = kClassInteger;
    double FieldMin = 0.0;
    double FieldMax = 0.0;
    std::int16_t FieldMinLength = 0;

    void ValidateField(Control& field, UserInterface& ui);
    // True when the field's text is a number within FieldMin..FieldMax; otherwise the field has
    // been shown red with the "Out of Range!" box and then emptied.
    bool CheckNumericRange(Control& field, UserInterface& ui);
    void ParseFieldLimits(std::string_view tag);
    void SetFieldClass(std::string_view tag);
    bool IsCharAllowed(std::int16_t fieldClass, std::uint8_t code) const;
};

}  // namespace tarvex
