// General classes from scripts: string lists, lists, streams, components, the XML document,
// the constants of the module, and what Free may and may not free.
#include "tests/script/core_helpers.h"

#include "platform/classes/Component.h"
#include "platform/rtl/FileUtils.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

struct Case {
    const char* Source;
    const char* Expected;
};

class GeneralClassesTest : public ::testing::TestWithParam<Case> {
protected:
    TestScript T;
};

TEST_P(GeneralClassesTest, RunsAsExpected) {
    EXPECT_EQ(T.Run(GetParam().Source), GetParam().Expected) << GetParam().Source;
}

const Case kCases[] = {
    // String lists: created, filled, counted, searched (var Index written back), freed.
    {"var L: TStringList; i: Integer; found: Boolean;\n"
     "begin L := TStringList.Create; L.Add('pear'); L.Add('apple'); L.Add('fig'); Out(L.Count);\n"
     "L.Sorted := True; Out(L[0]); found := L.Find('FIG', i); Out(found); Out(i);\n"
     "found := L.Find('grape', i); Out(found); Out(i); Out(L.ClassName); L.Free end.",
     "3 apple True 1 False 2 TStringList"},
    {"var L: TStringList;\n"
     "begin L := TStringList.Create; L.CommaText := 'a=1,b=2,\"c d\"'; Out(L.Count); Out(L.Values['b']);\n"
     "Out(L.Names[0]); L.Values['a'] := '9'; Out(L.Strings[0]); Out(L.IndexOfName('b')); L.Insert(0, 'z');\n"
     "L.Delete(1); Out(L.CommaText); Out(L.IndexOf('B=2')); L.Free end.",
     "3 2 a a=9 1 z,b=2,\"c d\" 1"},
    {"var L: TStringList;\n"
     "begin L := TStringList.Create; L.Sorted := True; L.Duplicates := dupError; L.Add('x'); L.Add('x') end.",
     "error: String list does not allow duplicates"},
    {"var L: TStringList; begin L := TStringList.Create; try Out(L[3]) finally L.Free end end.",
     "error: List index out of bounds (3)"},
    // Objects stored in a string list come back as the same objects.
    {"var L: TStringList; M: TStringList;\n"
     "begin L := TStringList.Create; M := TStringList.Create; L.AddObject('m', M);\n"
     "Out(L.IndexOfObject(M)); Out(TStringList(L.Objects[0]) = M); TStringList(L.Objects[0]).Add('q');\n"
     "Out(M.Text); M.Free; L.Free end.",
     "0 True q\r\n"},
    // TList keeps values in order.
    {"var L: TList; A, B, C: TStringList;\n"
     "begin L := TList.Create; A := TStringList.Create; B := TStringList.Create; C := TStringList.Create;\n"
     "L.Add(A); L.Add(B); L.Insert(0, C); Out(L.Count); Out(L.IndexOf(B)); Out(L.Remove(A)); Out(L.Count);\n"
     "Out(L[0] = C); L[0] := B; Out(L.Items[0] = B); Out(L.IndexOf(A)); L.Delete(5) end.",
     "3 2 1 2 True True -1 error: List index out of bounds (5)"},
    // Streams: Read gives no more than there is, Write no more than the buffer holds.
    {"var S: TMemoryStream; b: String; n: Integer;\n"
     "begin S := TMemoryStream.Create; Out(S.Write('hello', 99)); Out(S.Size); S.Position := 1;\n"
     "n := S.Read(b, 3); Out(n); Out(b); n := S.Read(b, 50); Out(n); Out(b); Out(S.Seek(-2, soFromEnd));\n"
     "Out(S.Write('ab', 1)); S.Position := 0; n := S.Read(b, -5); Out(n); Out('[' + b + ']'); S.Free end.",
     "5 5 3 ell 1 o 3 1 0 []"},
    {"var S, T: TMemoryStream; b: String;\n"
     "begin S := TMemoryStream.Create; T := TMemoryStream.Create; S.Write('abcdef', 6); S.Position := 2;\n"
     "Out(T.CopyFrom(S, 3)); T.Position := 0; T.Read(b, 10); Out(b); T.Clear; Out(T.Size); S.Seek(0, 7) end.",
     "3 cde 0 error: Invalid stream origin"},
    // Components: the owner frees what it owns.
    {"var A, B: TComponent;\n"
     "begin A := TComponent.Create(nil); B := TComponent.Create(A); B.Name := 'Child';\n"
     "Out(TComponent(B.Owner) = A); Out(B.Owner.Name = ''); A.Free; Out(B is TComponent) end.",
     "True True False"},
    // The XML document.
    {"var D: TfsXMLDocument; I: TfsXMLItem;\n"
     "begin D := TfsXMLDocument.Create; D.Root.Name := 'root'; I := D.Root.Add; I.Name := 'item';\n"
     "I.Text := 'a=\"1\" b=\"two\"'; Out(I.Prop('b')); Out(D.Root.Count); Out(D.Root.Find('ITEM'));\n"
     "Out(D.Root.FindItem('other').Name); Out(D.Root.Count); Out(TfsXMLItem(D.Root[0]).Parent.Name);\n"
     "Out(I.Root.Name); D.Free end.",
     "two 1 0 other 2 root root"},
    // Constants and enumerations of the module.
    {"begin Out(fmCreate); Out(fmOpenReadWrite); Out(fmShareDenyNone); Out(soFromEnd); Out(dupAccept); Out(dupError) end.",
     "65535 2 64 2 1 2"},
};

INSTANTIATE_TEST_SUITE_P(Scripts, GeneralClassesTest, ::testing::ValuesIn(kCases));

// A freed object's handle raises when the script uses it again, and Free leaves alone what
// belongs to the program (an object the program gave the script, or one that a program
// object owns as a part of itself).
TEST(GeneralClassesFree, FreedHandlesRaiseAndProgramObjectsAreRefused) {
    TestScript t;
    std::string out = t.Run("var L: TStringList; begin L := TStringList.Create; L.Free; L.Add('x') end.");
    EXPECT_EQ(out.rfind("error: ", 0), 0u) << out;
    EXPECT_NE(out.find("handle"), std::string::npos) << out;

    auto program = std::make_unique<TComponent>(nullptr);
    t.Setup = [&](TfsScript& s) { s.AddObject("Prog", program.get()); };
    EXPECT_EQ(t.Run("begin Prog.Free end."), "error: Cannot free TComponent: the object belongs to the program");
    ASSERT_NE(program, nullptr);
    EXPECT_EQ(program->Name(), "");

    // A component of the program that has an owner may be freed: the owner lets it go.
    auto* part = new TComponent(program.get());
    part->SetName("Part");
    t.Setup = [&](TfsScript& s) { s.AddObject("Part", part); };
    EXPECT_EQ(t.Run("begin Part.Free end."), "");
    EXPECT_EQ(program->ComponentCount(), 0);
}

TEST(GeneralClassesFiles, StringListsAndFileStreamsReachFiles) {
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "rove_script_stdclasses";
    std::filesystem::create_directories(dir);
    const std::string file = (dir / "lines.txt").string();
    std::filesystem::remove(file);
    TestScript t;
    t.Setup = [&](TfsScript& s) { s.AddConst("FileName", "String", Variant(file)); };
    EXPECT_EQ(t.Run("var L: TStringList; F: TFileStream; b: String;\n"
                    "begin L := TStringList.Create; L.Add('一'); L.Add('two'); L.SaveToFile(FileName); L.Free;\n"
                    "F := TFileStream.Create(FileName, fmOpenRead); Out(F.Size); F.Read(b, 3); Out(b); F.Free;\n"
                    "F := TFileStream.Create(FileName, fmOpenReadWrite or fmShareDenyNone); F.Seek(0, soFromEnd);\n"
                    "F.Write('end', 3); F.Free;\n"
                    "L := TStringList.Create; L.LoadFromFile(FileName); Out(L.Count); Out(L[2]); L.Free end."),
              "10 一 3 end");
    std::filesystem::remove(file);
    const std::string out = t.Run("var F: TFileStream; begin F := TFileStream.Create(FileName, fmOpenRead) end.");
    EXPECT_EQ(out.rfind("error: ", 0), 0u) << out;
}

}  // namespace
