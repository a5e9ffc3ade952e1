// Streams: memory and file streams with the same table of operations, 64-bit positions,
// reads past the end, open modes and their errors, CopyFrom.
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/Streams.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <unistd.h>

namespace {

class TempDir {
public:
    TempDir() {
        dir = std::filesystem::temp_directory_path() /
              ("rtl-streams-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::create_directories(dir);
    }
    ~TempDir() { std::filesystem::remove_all(dir); }
    std::string Path(const char* name) const { return (dir / name).string(); }

private:
    static inline int counter = 0;
    std::filesystem::path dir;
};

// Every kind of stream must behave the same for the common operations.
struct StreamKind {
    const char* name;
    std::function<std::unique_ptr<TStream>(const TempDir&)> make;
};

class StreamContract : public testing::TestWithParam<StreamKind> {
protected:
    TempDir tmp;
};

TEST_P(StreamContract, WriteSeekReadAndSize) {
    auto s = GetParam().make(tmp);
    s->WriteBuffer("hello world");
    EXPECT_EQ(s->Size(), 11);
    EXPECT_EQ(s->Position(), 11);
    EXPECT_EQ(s->Seek(-5, soFromEnd), 6);
    char buf[16] = {};
    EXPECT_EQ(s->Read(buf, 16), 5);            // fewer bytes at the end
    EXPECT_STREQ(buf, "world");
    EXPECT_EQ(s->Read(buf, 4), 0);
    EXPECT_THROW(s->ReadBuffer(buf, 1), EReadError);
    s->SetPosition(0);
    s->WriteBuffer("J");
    EXPECT_EQ(s->Seek(2, soFromCurrent), 3);
    s->SetPosition(0);
    EXPECT_EQ(s->ReadRemaining(), "Jello world");
    EXPECT_THROW(s->Seek(-1, soFromBeginning), EStreamError);
}

TEST_P(StreamContract, WritingPastTheEndFillsWithZeros) {
    auto s = GetParam().make(tmp);
    s->SetPosition(4);
    s->WriteBuffer("x");
    EXPECT_EQ(s->Size(), 5);
    s->SetPosition(0);
    EXPECT_EQ(s->ReadRemaining(), std::string("\0\0\0\0x", 5));
    s->SetSize(2);
    EXPECT_EQ(s->Size(), 2);
    EXPECT_EQ(s->Position(), 2);                // clipped to the new end
}

TEST_P(StreamContract, CopyFromCountOrWholeSource) {
    auto s = GetParam().make(tmp);
    TStringStream source("0123456789");
    source.SetPosition(3);
    EXPECT_EQ(s->CopyFrom(source, 4), 4);
    EXPECT_EQ(source.Position(), 7);
    EXPECT_EQ(s->CopyFrom(source, 0), 10);      // 0: the whole source from its start
    s->SetPosition(0);
    EXPECT_EQ(s->ReadRemaining(), "34560123456789");
    source.SetPosition(8);
    EXPECT_THROW(s->CopyFrom(source, 5), EReadError);
}

INSTANTIATE_TEST_SUITE_P(Rtl, StreamContract, testing::Values(
    StreamKind{"memory", [](const TempDir&) { return std::make_unique<TMemoryStream>(); }},
    StreamKind{"string", [](const TempDir&) { return std::make_unique<TStringStream>(); }},
    StreamKind{"file", [](const TempDir& t) {
        return std::make_unique<TFileStream>(t.Path("f.bin"), fmCreate);
    }}),
    [](const testing::TestParamInfo<StreamKind>& info) { return std::string(info.param.name); });

TEST(FileStream, PositionsBeyondFourGigabytes) {
    TempDir tmp;
    const int64_t far = (int64_t{5} << 30) + 7;   // sparse file, no real disk use
    {
        TFileStream f(tmp.Path("big.bin"), fmCreate);
        EXPECT_EQ(f.Seek(far, soFromBeginning), far);
        f.WriteBuffer("z");
        EXPECT_EQ(f.Size(), far + 1);
    }
    TFileStream f(tmp.Path("big.bin"), fmOpenRead | fmShareDenyWrite);
    EXPECT_EQ(f.Size(), far + 1);
    EXPECT_EQ(f.Seek(-1, soFromEnd), far);
    char c = 0;
    f.ReadBuffer(&c, 1);
    EXPECT_EQ(c, 'z');
}

TEST(FileStream, OpenModesAndTheirErrors) {
    TempDir tmp;
    const std::string name = tmp.Path("m.txt");
    try {
        TFileStream f(name, fmOpenRead);
        FAIL() << "opened a missing file";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message(), "Cannot open file \"" + name + "\". No such file or directory");
    }
    try {
        TFileStream f(tmp.Path("no/such/dir.txt"), fmCreate);
        FAIL() << "created in a missing folder";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(e.Message().rfind("Cannot create file \"", 0), 0U) << e.Message();
    }
    { TFileStream f(name, fmCreate); f.WriteBuffer("abcdef"); }
    {
        TFileStream f(name, fmOpenWrite | fmShareExclusive);
        f.WriteBuffer("XY");                    // overwrites, does not truncate
        char c;
        EXPECT_EQ(f.Read(&c, 1), 0);            // write-only
    }
    {
        TFileStream f(name, fmOpenRead | fmShareDenyNone);
        EXPECT_EQ(f.Write("q", 1), 0);          // read-only
        EXPECT_EQ(f.ReadRemaining(), "XYcdef");
    }
    {
        TFileStream f(name, fmOpenReadWrite);
        f.Seek(0, soFromEnd);
        f.WriteBuffer("!");
        f.SetPosition(0);
        EXPECT_EQ(f.ReadRemaining(), "XYcdef!");
    }
    { TFileStream f(name, fmCreate); }          // fmCreate truncates
    EXPECT_EQ(ReadFileBytes(name), "");
    EXPECT_THROW(TFileStream(tmp.Path(""), fmOpenRead), EFOpenError);   // a folder
}

TEST(MemoryStream, LoadAndSave) {
    TempDir tmp;
    TMemoryStream m;
    m.WriteBuffer("中文 data");
    m.SetPosition(3);
    m.SaveToFile(tmp.Path("m.bin"));            // the whole contents, whatever the position
    TMemoryStream back;
    back.WriteBuffer("old contents that are longer");
    back.LoadFromFile(tmp.Path("m.bin"));
    EXPECT_EQ(back.Position(), 0);
    EXPECT_EQ(std::string(back.Memory(), static_cast<size_t>(back.Size())), "中文 data");
    TStringStream copy;
    back.SaveToStream(copy);
    EXPECT_EQ(copy.DataString(), "中文 data");
    back.Clear();
    EXPECT_EQ(back.Size(), 0);
    EXPECT_EQ(back.Position(), 0);
    EXPECT_THROW(back.LoadFromFile(tmp.Path("missing")), EFOpenError);
}

TEST(StringStream, ReadAndWriteStrings) {
    TStringStream s("abcdef");
    EXPECT_EQ(s.ReadString(2), "ab");
    EXPECT_EQ(s.ReadString(10), "cdef");
    EXPECT_EQ(s.ReadString(1), "");
    s.SetPosition(1);
    s.WriteString("XY");
    EXPECT_EQ(s.DataString(), "aXYdef");
}

}  // namespace
