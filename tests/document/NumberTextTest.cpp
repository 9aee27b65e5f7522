// Tests of the one reader of numbers in text.
#include "document/NumberText.h"
#include "document/Errors.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>

namespace dravenloom {
namespace {

struct NumberCase {
    std::string Text;
    std::optional<std::int32_t> Expected;
};

void PrintTo(const NumberCase& c, std::ostream* os) {
    *os << '"' << c.Text << '"';
}

class ReadNumberTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(ReadNumberTest, ReadsOnlySignedDecimalsWithin32Bits) {
    const auto& c = GetParam();
    EXPECT_EQ(ReadNumber(c.Text), c.Expected);
    if (c.Expected) {
        EXPECT_EQ(StrToInt(c.Text), *c.Expected);
    } else {
        EXPECT_THROW(StrToInt(c.Text), ConversionError);
    }
}

constexpr auto Int32Max = std::numeric_limits<std::int32_t>::max();
constexpr auto Int32Min = std::numeric_limits<std::int32_t>::min();

INSTANTIATE_TEST_SUITE_P(
    Texts, ReadNumberTest,
    ::testing::Values(NumberCase{"0", 0}, NumberCase{"7", 7}, NumberCase{"021", 21},
                      NumberCase{"+5", 5}, NumberCase{"-5", -5}, NumberCase{"-0", 0},
                      NumberCase{"2147483647", Int32Max}, NumberCase{"-2147483648", Int32Min},
                      NumberCase{"0002147483647", Int32Max}, NumberCase{"2147483648", std::nullopt},
                      NumberCase{"-2147483649", std::nullopt},
                      NumberCase{"99999999999999999999", std::nullopt},
                      NumberCase{"", std::nullopt}, NumberCase{"-", std::nullopt},
                      NumberCase{"+", std::nullopt}, NumberCase{" 5", std::nullopt},
                      NumberCase{"5 ", std::nullopt}, NumberCase{"0x10", std::nullopt},
                      NumberCase{"1e3", std::nullopt}, NumberCase{"3.0", std::nullopt},
                      NumberCase{"+-5", std::nullopt}, NumberCase{"--5", std::nullopt},
                      NumberCase{"5-", std::nullopt}, NumberCase{"abc", std::nullopt},
                      NumberCase{std::string("5\0", 2), std::nullopt}));

TEST(NumberTextTest, ConversionErrorNamesTheText) {
    try {
        StrToInt("12a");
        FAIL() << "no error";
    } catch (const ConversionError& error) {
        EXPECT_NE(std::string(error.what()).find("12a"), std::string::npos) << error.what();
    }
}

} // namespace
} // namespace dravenloom
