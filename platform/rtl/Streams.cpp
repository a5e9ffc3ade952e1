// Streams over memory, strings and file descriptors.
#include "platform/rtl/Streams.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtils.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace {

[[noreturn]] void InvalidSeek() { throw EStreamError("Invalid stream position"); }

int64_t SeekTarget(int64_t offset, TSeekOrigin origin, int64_t position, int64_t size) {
    int64_t base = 0;
    switch (origin) {
    case soFromBeginning: base = 0; break;
    case soFromCurrent: base = position; break;
    case soFromEnd: base = size; break;
    }
    if ((offset > 0 && base > INT64_MAX - offset) || base + offset < 0) InvalidSeek();
    return base + offset;
}

}  // namespace

// --- TStream ---------------------------------------------------------------------

void TStream::ReadBuffer(void* buffer, int64_t count) {
    if (count != 0 && Read(buffer, count) != count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, int64_t count) {
    if (count != 0 && Write(buffer, count) != count) throw EWriteError("Stream write error");
}

int64_t TStream::Size() {
    const int64_t pos = Seek(0, soFromCurrent);
    const int64_t size = Seek(0, soFromEnd);
    Seek(pos, soFromBeginning);
    return size;
}

int64_t TStream::CopyFrom(TStream& source, int64_t count) {
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    if (count < 0) return 0;
    std::vector<char> buffer(static_cast<size_t>(std::min<int64_t>(count, 1 << 16)));
    for (int64_t left = count; left > 0;) {
        const int64_t n = std::min<int64_t>(left, static_cast<int64_t>(buffer.size()));
        source.ReadBuffer(buffer.data(), n);
        WriteBuffer(buffer.data(), n);
        left -= n;
    }
    return count;
}

std::string TStream::ReadRemaining() {
    const int64_t pos = Position();
    const int64_t size = Size();
    std::string out;
    if (size > pos) {
        out.resize(static_cast<size_t>(size - pos));
        out.resize(static_cast<size_t>(Read(out.data(), size - pos)));
    }
    return out;
}

// --- TMemoryStream ---------------------------------------------------------------------

int64_t TMemoryStream::Read(void* buffer, int64_t count) {
    const int64_t size = Size();
    if (count <= 0 || FPosition >= size) return 0;
    const int64_t n = std::min(count, size - FPosition);
    std::memcpy(buffer, FData.data() + FPosition, static_cast<size_t>(n));
    FPosition += n;
    return n;
}

int64_t TMemoryStream::Write(const void* buffer, int64_t count) {
    if (count <= 0) return 0;
    const int64_t end = FPosition + count;
    if (end > Size()) SetSize(end);
    std::memcpy(FData.data() + FPosition, buffer, static_cast<size_t>(count));
    FPosition = end;
    return count;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
    FPosition = SeekTarget(offset, origin, FPosition, Size());
    return FPosition;
}

void TMemoryStream::SetSize(int64_t newSize) {
    if (newSize < 0) InvalidSeek();
    try {
        FData.resize(static_cast<size_t>(newSize));
    } catch (const std::bad_alloc&) {
        throw EStreamError("Out of memory while expanding memory stream");
    } catch (const std::length_error&) {
        throw EStreamError("Out of memory while expanding memory stream");
    }
    if (FPosition > newSize) FPosition = newSize;
}

void TMemoryStream::Clear() {
    FData.clear();
    FData.shrink_to_fit();
    FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream& source) {
    source.SetPosition(0);
    const int64_t size = source.Size();
    SetSize(size);
    FPosition = 0;
    source.ReadBuffer(FData.data(), size);
}

void TMemoryStream::LoadFromFile(const std::string& fileName) {
    TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(file);
}

void TMemoryStream::SaveToStream(TStream& dest) const {
    dest.WriteBuffer(FData.data(), static_cast<int64_t>(FData.size()));
}

void TMemoryStream::SaveToFile(const std::string& fileName) const {
    SaveFileAtomically(fileName, std::string_view(FData.data(), FData.size()));
}

// --- TStringStream ---------------------------------------------------------------------

TStringStream::TStringStream(std::string_view data) { FData.assign(data.begin(), data.end()); }

std::string TStringStream::ReadString(int64_t count) {
    std::string out;
    if (count <= 0) return out;
    out.resize(static_cast<size_t>(std::min(count, std::max<int64_t>(Size() - FPosition, 0))));
    out.resize(static_cast<size_t>(Read(out.data(), static_cast<int64_t>(out.size()))));
    return out;
}

void TStringStream::WriteString(std::string_view s) {
    Write(s.data(), static_cast<int64_t>(s.size()));
}

// --- TFileStream ---------------------------------------------------------------------

TFileStream::TFileStream(const std::string& fileName, uint16_t mode) : FFileName(fileName) {
    if (mode == fmCreate) {
        FHandle = ::open(fileName.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (FHandle < 0)
            throw EFCreateError("Cannot create file \"" + fileName + "\". " + std::strerror(errno));
        return;
    }
    int flags = O_CLOEXEC;
    int err = 0;
    switch (mode & 3) {
    case fmOpenRead: flags |= O_RDONLY; break;
    case fmOpenWrite: flags |= O_WRONLY; break;
    case fmOpenReadWrite: flags |= O_RDWR; break;
    default: err = EINVAL; break;
    }
    if (err == 0) {
        FHandle = ::open(fileName.c_str(), flags);
        if (FHandle < 0) err = errno;
    }
    struct stat st {};
    if (err == 0 && ::fstat(FHandle, &st) == 0 && S_ISDIR(st.st_mode)) err = EISDIR;
    if (err != 0) {
        if (FHandle >= 0) ::close(FHandle);
        FHandle = -1;
        throw EFOpenError("Cannot open file \"" + fileName + "\". " + std::strerror(err));
    }
}

TFileStream::~TFileStream() {
    if (FHandle >= 0) ::close(FHandle);
}

int64_t TFileStream::Read(void* buffer, int64_t count) {
    int64_t done = 0;
    auto* p = static_cast<char*>(buffer);
    while (done < count) {
        const ssize_t n = ::read(FHandle, p + done, static_cast<size_t>(std::min<int64_t>(count - done, 1 << 30)));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += n;
    }
    return done;
}

int64_t TFileStream::Write(const void* buffer, int64_t count) {
    int64_t done = 0;
    const auto* p = static_cast<const char*>(buffer);
    while (done < count) {
        const ssize_t n = ::write(FHandle, p + done, static_cast<size_t>(std::min<int64_t>(count - done, 1 << 30)));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += n;
    }
    return done;
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin) {
    int whence = SEEK_SET;
    switch (origin) {
    case soFromBeginning: whence = SEEK_SET; break;
    case soFromCurrent: whence = SEEK_CUR; break;
    case soFromEnd: whence = SEEK_END; break;
    }
    const off_t r = ::lseek(FHandle, static_cast<off_t>(offset), whence);
    if (r < 0) InvalidSeek();
    return r;
}

int64_t TFileStream::Size() {
    struct stat st {};
    if (::fstat(FHandle, &st) != 0) throw EStreamError(std::string("Stream size unknown. ") + std::strerror(errno));
    return st.st_size;
}

void TFileStream::SetSize(int64_t newSize) {
    if (newSize < 0) InvalidSeek();
    const int64_t pos = Position();
    if (::ftruncate(FHandle, static_cast<off_t>(newSize)) != 0)
        throw EWriteError("Cannot set the size of \"" + FFileName + "\". " + std::strerror(errno));
    if (pos > newSize) Seek(newSize, soFromBeginning);
}
