#include "codec/number_text.h"

#include <gtest/gtest.h>

#include <optional>

namespace tarvex {
namespace {

TEST(RoundHalfEven, ExactHalvesGoToTheEvenNeighbour) {
    struct Case {
        double input;
        double expected;
    };
    const Case cases[] = {{0.5, 0.0},  {1.5, 2.0},   {2.5, 2.0},    {3.5, 4.0},
                          {-0.5, 0.0}, {-1.5, -2.0}, {2.4999, 2.0}, {2.5001, 3.0}};
    for (const Case& c : cases) {
        EXPECT_EQ(RoundHalfEven(c.input), c.expected) << c.input;
    }
}

TEST(ParseDecimal, AcceptsPlainDecimalsOnly) {
    struct Case {
        const char* text;
        std::optional<double> expected;
    };
    const Case cases[] = {
        {"12", 12.0},
        {" 5 ", 5.0},
        {"-3.5", -3.5},
        {"+2", 2.0},
        {".5", 0.5},
        {"5.", 5.0},
        {"451.0125", 451.0125},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {".", std::nullopt},
        {"1.2.3", std::nullopt},
        {"1e5", std::nullopt},
        {"1,5", std::nullopt},
        {"--1", std::nullopt},
        {"0x10", std::nullopt},
        {"5 5", std::nullopt},
        {"\t5", std::nullopt},
        {"-", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseDecimal(c.text), c.expected) << '"' << c.text << '"';
    }
}

TEST(ShortestText, WritesTheShortestPlainDecimal) {
    struct Case {
        float value;
        const char* expected;
    };
    const Case cases[] = {{34.0f, "34"}, {0.1f, "0.1"},  {59.9f, "59.9"}, {100.2f, "100.2"},
                          {0.0f, "0"},   {-0.0f, "0"},   {2.2f, "2.2"},   {1000000.0f, "1000000"},
                          {67.0f, "67"}, {0.05f, "0.05"}};
    for (const Case& c : cases) {
        EXPECT_EQ(ShortestText(c.value), c.expected) << c.value;
    }
}

}  // namespace
}  // namespace tarvex
