// Colour values, system colours and the identifier table.
#include "platform/graphics/Colors.h"

#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

TEST(Colors, ReservedAndSystemValuesAreThePlatformsNumbers) {
    EXPECT_EQ(clNone, 536870911);
    EXPECT_EQ(clBtnFace, -16777201);
    EXPECT_EQ(clWhite, 16777215);
    EXPECT_EQ(clRed, 0x0000FF);   // red in the low byte: BGR order
    EXPECT_EQ(RGB(1, 2, 3), 0x030201);
    EXPECT_EQ(GetRValue(clBlue), 0);
    EXPECT_EQ(GetBValue(clBlue), 255);
}

TEST(Colors, ColorToRgbResolvesSystemColoursOnly) {
    struct Case {
        TColor In;
        TColor Out;
    };
    const Case cases[] = {
        {clWindow, clWhite},        {clWindowText, clBlack},          {clBtnHighlight, clWhite},
        {clBtnFace, RGB(236, 233, 216)}, {clInfoBk, RGB(255, 255, 225)}, {clRed, clRed},
        {clNone, clNone},           {0x123456, 0x123456},
    };
    for (const Case& c : cases) EXPECT_EQ(ColorToRGB(c.In), c.Out) << ColorToString(c.In);
    for (int i = 0; i < COLOR_ENDCOLORS; ++i) EXPECT_GE(ColorToRGB(clSystemColor | i), 0) << i;
}

TEST(Colors, IdentifiersBothWaysIgnoringCase) {
    EXPECT_EQ(ColorIdents().size(), 52u);
    EXPECT_STREQ(ColorIdents().front().Name, "clBlack");
    EXPECT_STREQ(ColorIdents().back().Name, "clWindowText");
    for (const TIdentMapEntry& e : ColorIdents()) {
        TColor c = 0;
        ASSERT_TRUE(IdentToColor(e.Name, c)) << e.Name;
        EXPECT_EQ(c, e.Value);
        std::string name;
        ASSERT_TRUE(ColorToIdent(c, name));
        EXPECT_EQ(name, e.Name);
    }
    TColor c = 0;
    EXPECT_TRUE(IdentToColor("CLRED", c));
    EXPECT_EQ(c, clRed);
    EXPECT_FALSE(IdentToColor("clOrange", c));
}

TEST(Colors, StringForms) {
    struct Case {
        const char* Text;
        TColor Value;
        const char* Written;
    };
    const Case cases[] = {
        {"clRed", clRed, "clRed"},
        {"$00123456", 0x123456, "$00123456"},
        {"255", clRed, "clRed"},
        {"-16777201", clBtnFace, "clBtnFace"},
        {"clnone", clNone, "clNone"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StringToColor(c.Text), c.Value) << c.Text;
        EXPECT_EQ(ColorToString(c.Value), c.Written) << c.Text;
    }
    EXPECT_THROW(StringToColor("reddish"), EConvertError);
}
