#include "base/dates.h"
#include "base/errors.h"
#include "platform/regional_locale.h"

#include <gtest/gtest.h>

namespace {

const RegionalSettings kItalian = RegionalSettings::italian();

RegionalSettings fromStrftime(const char* date, const char* time = "%H:%M:%S")
{
    RegionalSettings rs;
    regional::applyDateFormat(date, rs);
    regional::applyTimeFormat(time, rs);
    return rs;
}

} // namespace

TEST(Dates, OleDatesCountDaysFromTheEndOf1899)
{
    EXPECT_EQ(dates::encode({1899, 12, 30}), 0);
    EXPECT_EQ(dates::encode({1900, 1, 1}), 2);
    EXPECT_EQ(dates::encode({2004, 12, 8}), 38329);
    EXPECT_DOUBLE_EQ(dates::encode({2004, 12, 8, 18, 30, 0}), 38329.7708333333333);
    const dates::Civil c = dates::decode(38329.75);
    EXPECT_EQ(c.year, 2004);
    EXPECT_EQ(c.month, 12);
    EXPECT_EQ(c.day, 8);
    EXPECT_EQ(c.hour, 18);
    EXPECT_EQ(c.minute, 0);
}

TEST(Dates, FormatsFollowTheRegionalSettings)
{
    const double d = dates::encode({2004, 12, 8, 14, 35, 7});
    EXPECT_EQ(dates::formatShortDate(d, kItalian), "08/12/2004");
    EXPECT_EQ(dates::formatDateTime(d, kItalian), "08/12/2004 14:35:07");
    EXPECT_EQ(dates::formatDateTime(38329, kItalian), "08/12/2004");
    EXPECT_EQ(dates::formatDdMmYyyy(d, kItalian), "08/12/2004");

    const RegionalSettings german = fromStrftime("%d.%m.%Y");
    EXPECT_EQ(german.shortDateFormat, "dd/mm/yyyy");
    EXPECT_EQ(german.dateSeparator, '.');
    EXPECT_EQ(dates::formatShortDate(d, german), "08.12.2004");
    EXPECT_EQ(dates::formatDdMmYyyy(d, german), "08.12.2004");

    // A two-digit year is widened so that files keep the century.
    const RegionalSettings us = fromStrftime("%m/%d/%y", "%r");
    EXPECT_EQ(us.shortDateFormat, "mm/dd/yyyy");
    EXPECT_EQ(dates::formatDateTime(d, us), "12/08/2004 02:35:07 PM");
    EXPECT_EQ(dates::formatShortDate(d, fromStrftime("%F")), "2004-12-08");
}

TEST(Dates, ParseShortDateReadsInTheFormatsOrder)
{
    EXPECT_EQ(dates::parseShortDate("08/12/2004", kItalian), 38329);
    EXPECT_EQ(dates::parseShortDate(" 8/12/2004 ", kItalian), 38329);
    EXPECT_EQ(dates::parseShortDate("12/08/2004", fromStrftime("%m/%d/%Y")), 38329);
    EXPECT_EQ(dates::parseShortDate("2004-12-08", fromStrftime("%F")), 38329);
    EXPECT_EQ(dates::parseShortDate("08.12.2004", fromStrftime("%d.%m.%Y")), 38329);
    EXPECT_EQ(dates::parseShortDate("08/12/04", kItalian, 2026), 38329);
    EXPECT_EQ(dates::parseShortDate("08/12/99", kItalian, 2026), dates::encode({1999, 12, 8}));
    EXPECT_EQ(dates::parseShortDate("08/12", kItalian, 2004), 38329);
    for (const char* bad : {"", "08-12-2004", "32/12/2004", "29/02/2003", "08/13/2004", "08/12/2004x", "abc",
                            "08//2004", "08/12/20045"}) {
        try {
            dates::parseShortDate(bad, kItalian, 2026);
            ADD_FAILURE() << "accepted '" << bad << "'";
        } catch (const ConversionError& e) {
            EXPECT_EQ(std::string(e.what()), "'" + std::string(bad) + "' is not a valid date");
        }
    }
    EXPECT_EQ(dates::parseShortDate("29/02/2004", kItalian), dates::encode({2004, 2, 29}));
}
