#include "base/errors.h"
#include "base/numbers.h"

#include <gtest/gtest.h>

namespace {

const RegionalSettings kItalian = RegionalSettings::italian();

RegionalSettings withPoint()
{
    RegionalSettings rs;
    rs.decimalSeparator = '.';
    rs.thousandSeparator = ',';
    return rs;
}

} // namespace

TEST(Numbers, GeneralFormatKeepsFifteenSignificantDigits)
{
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {734.0032, "734,0032"}, {700, "700"}, {0, "0"}, {-2.5, "-2,5"}, {0.1 + 0.2, "0,3"},
        {1.0 / 3, "0,333333333333333"}, {123456789012345.0, "123456789012345"},
        {1e15, "1E15"}, {0.0001, "0,0001"}, {0.00001, "1E-5"}, {0.000001, "1E-6"},
        {1.5e-7, "1,5E-7"}, {4.7e9 / 1e6, "4700"}, {0.000734, "0,000734"}, {999999999999999.9, "1E15"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(numbers::formatGeneral(c.value, kItalian), c.text) << c.value;
    EXPECT_EQ(numbers::formatGeneral(734.0032, withPoint()), "734.0032");
}

TEST(Numbers, GeneralFormatReadsBackToTheSameValue)
{
    for (double v : {734.0032, 0.000001, 0.333333333333333, 1e300, 123.456e-10, 4.4e15})
        EXPECT_DOUBLE_EQ(numbers::parseFloat(numbers::formatGeneral(v, kItalian), kItalian), v);
}

TEST(Numbers, TwoDecimalsWithThousandsSeparators)
{
    EXPECT_EQ(numbers::formatThousands2(734.0032, kItalian), "734,00");
    EXPECT_EQ(numbers::formatThousands2(1234.5, kItalian), "1.234,50");
    EXPECT_EQ(numbers::formatThousands2(0, kItalian), "0,00");
    EXPECT_EQ(numbers::formatThousands2(1234567.891, kItalian), "1.234.567,89");
    EXPECT_EQ(numbers::formatThousands2(-1234.5, kItalian), "-1.234,50");
    EXPECT_EQ(numbers::formatThousands2(1234.5, withPoint()), "1,234.50");
}

TEST(Numbers, ParseFloatAcceptsOnlyTheDecimalSeparatorOfTheSettings)
{
    EXPECT_DOUBLE_EQ(numbers::parseFloat("734,0032", kItalian), 734.0032);
    EXPECT_DOUBLE_EQ(numbers::parseFloat(" -1,5E3 ", kItalian), -1500);
    EXPECT_DOUBLE_EQ(numbers::parseFloat("+,5", kItalian), 0.5);
    EXPECT_DOUBLE_EQ(numbers::parseFloat("7,", kItalian), 7);
    for (const char* bad : {"", " ", "734.0032", "1.234,5", "abc", "1,5x", "E5", "1E", ",", "1 2", "--1"}) {
        try {
            numbers::parseFloat(bad, kItalian);
            ADD_FAILURE() << "accepted '" << bad << "'";
        } catch (const ConversionError& e) {
            EXPECT_EQ(std::string(e.what()), "'" + std::string(bad) + "' is not a valid floating point value");
        }
    }
}

TEST(Numbers, ParseIntIsThirtyTwoBitSigned)
{
    EXPECT_EQ(numbers::parseInt("0"), 0);
    EXPECT_EQ(numbers::parseInt("-17"), -17);
    EXPECT_EQ(numbers::parseInt("  42"), 42);
    EXPECT_EQ(numbers::parseInt("2147483647"), 2147483647);
    EXPECT_EQ(numbers::parseInt("-2147483648"), INT32_MIN);
    EXPECT_EQ(numbers::parseInt("$FF"), 255);
    for (const char* bad : {"", "-", "2147483648", "-2147483649", "1.0", "12 ", "x1", "99999999999999999999"}) {
        try {
            numbers::parseInt(bad);
            ADD_FAILURE() << "accepted '" << bad << "'";
        } catch (const ConversionError& e) {
            EXPECT_EQ(std::string(e.what()), "'" + std::string(bad) + "' is not a valid integer value");
        }
    }
}
