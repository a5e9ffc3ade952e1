// Fonts, pens and brushes: derived size, change notification and the published tables
// that form resources and report files stream.
#include "platform/graphics/Graphics.h"

#include <gtest/gtest.h>

TEST(Font, SizeFollowsHeightAtTheFontsResolution) {
    struct Case {
        int Height;
        int PixelsPerInch;
        int Size;
    };
    const Case cases[] = {
        {-11, 96, 8}, {-12, 96, 9}, {-13, 96, 10}, {-16, 96, 12}, {-83, 600, 10}, {-19, 96, 14},
    };
    for (const Case& c : cases) {
        TFont f;
        f.SetPixelsPerInch(c.PixelsPerInch);
        f.SetHeight(c.Height);
        EXPECT_EQ(f.Size(), c.Size) << c.Height << " at " << c.PixelsPerInch;
    }
    TFont f;
    f.SetSize(9);
    EXPECT_EQ(f.Height(), -12);
    f.SetPixelsPerInch(600);
    f.SetSize(10);
    EXPECT_EQ(f.Height(), -83);
}

TEST(Font, ChangesAreAnnouncedOncePerRealChange) {
    TFont f;
    int changes = 0;
    TObject* sender = nullptr;
    f.OnChange = [&](TObject* s) {
        ++changes;
        sender = s;
    };
    f.SetName("Arial");
    f.SetName("Arial");        // no change
    f.SetStyle({fsBold});
    f.SetColor(clRed);
    f.SetSize(f.Size());       // same height
    f.SetName("");             // an empty name is refused
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(sender, &f);
    EXPECT_EQ(f.Name(), "Arial");

    TFont g;
    g.Assign(f);
    EXPECT_TRUE(g.SameAs(f));
    int before = changes;
    f.Assign(g);               // equal: nothing to announce
    EXPECT_EQ(changes, before);
}

TEST(Font, AssignKeepsThePointSizeAcrossResolutions) {
    TFont screen;
    screen.SetSize(10);          // -13 at 96 dpi
    TFont printer;
    printer.SetPixelsPerInch(600);
    printer.Assign(screen);
    EXPECT_EQ(printer.Height(), -81);   // -13 * 600 / 96
    EXPECT_EQ(printer.Size(), 10);
}

TEST(Font, PublishedTableInDeclarationOrderWithStoredRules) {
    TFont f;
    std::vector<std::string> names;
    for (const TPropInfo* p : f.ClassType()->Properties()) names.push_back(p->Name);
    EXPECT_EQ(names, (std::vector<std::string>{"Charset", "Color", "Height", "Name", "Pitch", "Size", "Style"}));
    const TPropInfo* size = FindPropInfo(&f, "Size");
    EXPECT_FALSE(IsStoredProp(&f, size));
    // Charset, Color, Height and Style have no default: they are always written.
    for (const char* name : {"Charset", "Color", "Height", "Style"})
        EXPECT_FALSE(IsDefaultPropValue(&f, FindPropInfo(&f, name))) << name;
    EXPECT_TRUE(IsDefaultPropValue(&f, FindPropInfo(&f, "Pitch")));
    std::string ident;
    EXPECT_TRUE(IntToIdent(FindPropInfo(&f, "Charset")->Type, GB2312_CHARSET, ident));
    EXPECT_EQ(ident, "GB2312_CHARSET");
    SetPropValue(&f, "Style", Variant(std::string("[fsBold,fsItalic]")));
    EXPECT_TRUE(f.Style().Contains(fsItalic));
    EXPECT_EQ(GetSetProp(&f, FindPropInfo(&f, "Style")), "[fsBold,fsItalic]");
    int64_t red = 0;
    ASSERT_TRUE(IdentToInt(FindPropInfo(&f, "Color")->Type, "clRed", red));
    SetOrdProp(&f, FindPropInfo(&f, "Color"), red);
    EXPECT_EQ(f.Color(), clRed);
}

TEST(PenBrush, DefaultsAndPlatformRules) {
    TPen pen;
    EXPECT_EQ(pen.Color(), clBlack);
    EXPECT_EQ(pen.Width(), 1);
    pen.SetWidth(0);
    EXPECT_EQ(pen.Width(), 1);
    for (const TPropInfo* p : pen.ClassType()->Properties()) EXPECT_TRUE(IsDefaultPropValue(&pen, p)) << p->Name;

    TBrush brush;
    brush.SetStyle(bsClear);
    brush.SetColor(clRed);   // a colour makes a clear brush solid again
    EXPECT_EQ(brush.Style(), bsSolid);
    brush.SetStyle(bsCross);
    brush.SetColor(clBlue);  // hatches stay
    EXPECT_EQ(brush.Style(), bsCross);
    EXPECT_EQ(GetEnumProp(&brush, FindPropInfo(&brush, "Style")), "bsCross");
}

TEST(Graphics, ClassesAreCreatedByName) {
    for (const char* name : {"TFont", "TPen", "TBrush", "TPicture", "TBitmap", "TJPEGImage", "TIcon", "TMetafile"}) {
        TClass cls = GetClass(name);
        ASSERT_NE(cls, nullptr) << name;
        std::unique_ptr<TObject> obj(cls->CreateInstance(nullptr));
        EXPECT_EQ(obj->ClassName(), name);
    }
}
