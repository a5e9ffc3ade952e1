// Byte streams of the class library: TStream with 64-bit positions and sizes, the memory
// stream, the file stream (open modes of the class library; share flags are accepted and
// have no effect on Linux) and the string stream.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum TSeekOrigin : int { soFromBeginning = 0, soFromCurrent = 1, soFromEnd = 2 };

// File open modes: the low bits choose the access, the share bits are ignored.
constexpr uint16_t fmCreate = 0xFFFF;
constexpr uint16_t fmOpenRead = 0x0000;
constexpr uint16_t fmOpenWrite = 0x0001;
constexpr uint16_t fmOpenReadWrite = 0x0002;
constexpr uint16_t fmShareCompat = 0x0000;
constexpr uint16_t fmShareExclusive = 0x0010;
constexpr uint16_t fmShareDenyWrite = 0x0020;
constexpr uint16_t fmShareDenyRead = 0x0030;
constexpr uint16_t fmShareDenyNone = 0x0040;

class TStream {
public:
    TStream() = default;
    TStream(const TStream&) = delete;
    TStream& operator=(const TStream&) = delete;
    virtual ~TStream() = default;

    // Read and Write move up to count bytes and return how many moved (fewer at the end).
    virtual int64_t Read(void* buffer, int64_t count) = 0;
    virtual int64_t Write(const void* buffer, int64_t count) = 0;
    // Seek returns the new position; a position before the start raises EStreamError.
    virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;
    int64_t Seek(int64_t offset, int origin) { return Seek(offset, static_cast<TSeekOrigin>(origin)); }

    // The exact-count forms raise EReadError "Stream read error" / EWriteError "Stream write error".
    void ReadBuffer(void* buffer, int64_t count);
    void WriteBuffer(const void* buffer, int64_t count);
    void WriteBuffer(std::string_view bytes) { WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size())); }

    int64_t Position() { return Seek(0, soFromCurrent); }
    void SetPosition(int64_t pos) { Seek(pos, soFromBeginning); }
    virtual int64_t Size();
    virtual void SetSize(int64_t newSize) = 0;

    // Copies count bytes from source's position; count 0 copies the whole source from its start.
    int64_t CopyFrom(TStream& source, int64_t count);
    // The bytes from the position to the end.
    std::string ReadRemaining();
};

class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;

    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    using TStream::Seek;
    int64_t Size() override { return static_cast<int64_t>(FData.size()); }
    void SetSize(int64_t newSize) override;

    // The bytes; the pointer is valid until the size changes.
    char* Memory() { return FData.data(); }
    const char* Memory() const { return FData.data(); }
    void Clear();
    // The whole source (from its start) replaces the contents; the position goes to 0.
    void LoadFromStream(TStream& source);
    void LoadFromFile(const std::string& fileName);
    // The whole contents, whatever the position.
    void SaveToStream(TStream& dest) const;
    void SaveToFile(const std::string& fileName) const;    // through a temporary file

protected:
    std::vector<char> FData;
    int64_t FPosition = 0;
};

// A memory stream seen as a string: DataString is the whole contents.
class TStringStream : public TMemoryStream {
public:
    explicit TStringStream(std::string_view data = {});
    std::string DataString() const { return std::string(FData.begin(), FData.end()); }
    // ReadString reads up to count bytes from the position; WriteString writes at it.
    std::string ReadString(int64_t count);
    void WriteString(std::string_view s);
};

class TFileStream : public TStream {
public:
    // fmCreate creates or truncates; otherwise the file must exist. Failures raise
    // EFCreateError "Cannot create file \"%s\". %s" / EFOpenError "Cannot open file \"%s\". %s"
    // with the system's reason.
    TFileStream(const std::string& fileName, uint16_t mode);
    ~TFileStream() override;

    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    using TStream::Seek;
    int64_t Size() override;
    void SetSize(int64_t newSize) override;

    const std::string& FileName() const { return FFileName; }
    int Handle() const { return FHandle; }

private:
    std::string FFileName;
    int FHandle = -1;
};
