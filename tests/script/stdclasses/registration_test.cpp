// What the modules register: the Windows values of colours and the enumerations (names
// taken apart at commas whatever the blanks), the class ancestry scripts see, and the
// unregistration that takes every item of the modules away again.
#include "tests/script/core_helpers.h"

#include "script/ClassVariables.h"
#include "script/stdclasses/StdClasses.h"

#include <gtest/gtest.h>

namespace {

TEST(StdClassesRegistration, ConstantsKeepTheirWindowsValues) {
    struct Case {
        const char* Name;
        int64_t Value;
    } cases[] = {
        {"clRed", 255},          {"clBlue", 16711680},     {"clWhite", 16777215},     {"clNone", 536870911},
        {"clDefault", 536870912}, {"clBtnFace", -16777201}, {"clWindowText", -16777208}, {"clMoneyGreen", 0xC0DCC0},
        {"cl3DDkShadow", -16777195}, {"fsStrikeout", 8},   {"fpFixed", 2},            {"pmNotXor", 15},
        {"bsDiagCross", 7},      {"ofNoChangeDir", 8},     {"ofEnableSizing", 1 << 19}, {"cdSolidColor", 8},
        {"fdNoVectorFonts", 1 << 10}, {"fdShowHelp", 1 << 11}, {"fdApplyButton", 1 << 15}, {"fdBoth", 2},
        {"poWarning", 8},        {"prPageNums", 2},        {"mtCustom", 4},           {"mbHelp", 1 << 10},
        {"fsComboBox", 1},       {"fsStayOnTop", 3},       {"csOwnerDrawVariable", 4}, {"cbGrayed", 2},
        {"crSQLWait", -17},      {"crSize", -22},          {"VK_NUMLOCK", 144},       {"VK_BACK", 8},
    };
    for (const Case& c : cases) {
        TfsCustomVariable* item = GlobalUnit()->Find(c.Name);
        ASSERT_NE(item, nullptr) << c.Name;
        EXPECT_EQ(item->Value.AsInt64(), c.Value) << c.Name;
    }
    for (const char* name : {"clLtGray", "VK_LBUTTON", "alCustom", "TScriptList"})
        EXPECT_EQ(GlobalUnit()->Find(name), nullptr) << name;
}

TEST(StdClassesRegistration, ClassesFollowTheClassLibrarysAncestry) {
    struct Case {
        const char* Ancestor;
        const char* Descendant;
        bool Inherits;
    } cases[] = {
        {"TObject", "TStringList", true}, {"TStrings", "TStringList", true}, {"TStream", "TFileStream", true},
        {"TWinControl", "TEdit", true},   {"TGraphicControl", "TLabel", true}, {"TCustomForm", "TForm", true},
        {"TCommonDialog", "TSaveDialog", true}, {"TGraphic", "TBitmap", true}, {"TCanvas", "TMetafileCanvas", true},
        {"TWinControl", "TLabel", false}, {"TComponent", "TStringList", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GlobalUnit()->ClassInherits(c.Ancestor, c.Descendant), c.Inherits) << c.Ancestor << " " << c.Descendant;
    TestScript t;
    EXPECT_EQ(t.Run("var L: TStringList; begin L := TStringList.Create; Out(L is TStrings); Out(L is TComponent);\n"
                    "Out(Application is TComponent); L.Free end."),
              "True False True");
}

TEST(StdClassesRegistration, UnregisteringTakesTheModulesItemsAway) {
    const int before = GlobalUnit()->Count();
    fsUnregisterStandardClasses();
    for (const char* name : {"TObject", "TStringList", "TCanvas", "TForm", "MessageDlg", "clRed", "Application"})
        EXPECT_EQ(GlobalUnit()->Find(name), nullptr) << name;
    EXPECT_NE(GlobalUnit()->Find("IntToStr"), nullptr);
    TestScript t;
    EXPECT_EQ(t.Run("var x: Variant; begin x := CreateOleObject('Excel.Application') end."),
              "error: OLE error 800401F3: Excel.Application");
    fsRegisterStandardClasses();
    fsRegisterStandardClasses();
    EXPECT_EQ(GlobalUnit()->Count(), before);
    EXPECT_EQ(t.Run("var L: TStringList; begin L := TStringList.Create; L.Add('a'); Out(L.Count); L.Free end."), "1");
}

}  // namespace
