// The dialogs' number conversion and the refusal of a value that does not fit a register;
// which field uses which power is left to test_dialogs.cpp.
#include "params/ValueList.h"

#include <gtest/gtest.h>

TEST(ValueList, ScalesHalvesToEvenAndRefusesWhatDoesNotFit) {
    struct Case {
        const char* text;
        int power;
        bool fits;
        int value;
    };
    const Case cases[] = {
        {"150.5", 0, true, 150},     {"151.5", 0, true, 152},       {"150.5", 1, true, 1505},
        {"2.675", 2, true, 268},     {"1.005", 2, true, 100},       {"0.25", 1, true, 2},
        {"-2.5", 0, true, -2},       {" 7a", 0, true, 7},           {"", 3, true, 0},
        {"abc", 1, true, 0},         {"65535", 0, true, 65535},     {"-32768", 0, true, -32768},
        {"6553.5", 1, true, 65535},  {"65536", 0, false, 0},        {"-32769", 0, false, 0},
        {"6553.6", 1, false, 0},     {"1e9", 0, false, 0},          {"-3276.9", 1, false, 0},
        {"65535.4", 0, true, 65535}, {"-32768.5", 0, true, -32768},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.text << " x 10^" << c.power);
        ValueList v;
        v.addNumber(QStringLiteral("SV1"), QString::fromLatin1(c.text), c.power);
        ASSERT_EQ(v.values.size(), 1u);
        EXPECT_EQ(v.ok(), c.fits);
        if (c.fits) {
            EXPECT_EQ(v.values[0], c.value);
        }
    }
}

TEST(ValueList, RefusalNamesTheFieldAndTheRangeInItsUnits) {
    ValueList v;
    v.addNumber(QStringLiteral("OL-H"), QStringLiteral("10"), 1);
    v.addNumber(QStringLiteral("SV1"), QStringLiteral("7000"), 1);
    v.addNumber(QStringLiteral("FR-H"), QStringLiteral("99"), 3);
    EXPECT_FALSE(v.ok());
    // The first refusal is the one reported.
    EXPECT_EQ(v.refusal(), "SV1: 7000 does not fit. Enter a value from -3276.8 to 6553.5.");
    ValueList w;
    w.addNumber(QStringLiteral("FR-H"), QStringLiteral("99"), 3);
    EXPECT_EQ(w.refusal(), "FR-H: 99 does not fit. Enter a value from -32.768 to 65.535.");
}
