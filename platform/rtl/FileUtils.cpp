// File routines over POSIX calls. Whole-file writes go through a temporary file in the same
// folder that is flushed and then renamed, so a failure never leaves a half-written file.
#include "platform/rtl/FileUtils.h"

#include "platform/rtl/Exceptions.h"

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

std::vector<std::string> gArgs;
std::function<uint32_t()> gTickSource;
std::function<int(TFileStep)> gFaultHook;

int Fault(TFileStep step) { return gFaultHook ? gFaultHook(step) : 0; }

bool IsDelimiterAt(std::string_view name, size_t i) {
    const char c = name[i];
    if (c == '/' || c == '\\') return true;
    // The colon of a drive letter ("C:name").
    return c == ':' && i == 1 && ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= 'a' && name[0] <= 'z'));
}

// Index just past the last delimiter (0 when there is none).
size_t NameStart(std::string_view name) {
    for (size_t i = name.size(); i > 0; --i)
        if (IsDelimiterAt(name, i - 1)) return i;
    return 0;
}

// Index of the extension's dot within the name part, or npos.
size_t ExtStart(std::string_view name) {
    const size_t start = NameStart(name);
    const size_t dot = name.rfind('.');
    return (dot == std::string_view::npos || dot < start) ? std::string_view::npos : dot;
}

std::string Reason(int err) { return std::strerror(err); }

// A symbolic link is saved through to its target, so the link survives the rename.
std::string ResolveTarget(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    char buf[PATH_MAX];
    if (::realpath(path.c_str(), buf)) return buf;
    return path;
}

// The mode a newly created file gets: 0666 less the umask, read from /proc so that the
// process-wide mask is never changed, not even for a moment.
mode_t NewFileMode() {
    mode_t mask = 022;
    if (FILE* f = std::fopen("/proc/self/status", "re")) {
        char line[256];
        while (std::fgets(line, sizeof line, f)) {
            unsigned value;
            if (std::sscanf(line, "Umask: %o", &value) == 1) {
                mask = static_cast<mode_t>(value);
                break;
            }
        }
        std::fclose(f);
    }
    return 0666 & ~mask;
}

bool WriteAll(int fd, const char* p, size_t n) {
    while (n > 0) {
        const ssize_t w = ::write(fd, p, n);
        if (w < 0 && errno == EINTR) continue;
        if (w <= 0) return false;
        p += w;
        n -= static_cast<size_t>(w);
    }
    return true;
}

// Replaces target with the bytes that produce() writes into a temporary file beside it.
// produce returns 0 or the errno of its failure. Returns 0 or the errno of the failing step;
// createFailed tells the caller that not even the temporary file could be made.
int ReplaceFile(const std::string& targetName, mode_t mode, bool noReplace,
                const std::function<int(int fd)>& produce, bool& createFailed) {
    createFailed = false;
    const std::string target = ResolveTarget(targetName);
    std::string dir = ExtractFilePath(target);
    std::string tmpl = dir + "." + ExtractFileName(target) + ".XXXXXX";
    int err = Fault(TFileStep::CreateTemp);
    int fd = -1;
    if (err == 0) {
        fd = ::mkostemp(tmpl.data(), O_CLOEXEC);
        if (fd < 0) err = errno;
    }
    if (err != 0) {
        createFailed = true;
        return err;
    }
    auto fail = [&](int e) {
        if (fd >= 0) ::close(fd);
        ::unlink(tmpl.c_str());
        return e;
    };
    if (::fchmod(fd, mode) != 0) return fail(errno);
    if ((err = Fault(TFileStep::Write)) != 0 || (err = produce(fd)) != 0) return fail(err);
    if ((err = Fault(TFileStep::Sync)) != 0) return fail(err);
    if (::fsync(fd) != 0) return fail(errno);
    const int closed = ::close(fd);
    fd = -1;
    if (closed != 0) return fail(errno);
    if ((err = Fault(TFileStep::Rename)) != 0) return fail(err);
    int r;
    if (noReplace) {
        r = ::renameat2(AT_FDCWD, tmpl.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE);
        if (r != 0 && (errno == EINVAL || errno == ENOSYS)) {
            // The file system cannot rename without replacing: a hard link never replaces.
            r = ::link(tmpl.c_str(), target.c_str());
            if (r == 0) ::unlink(tmpl.c_str());
        }
    } else {
        r = ::rename(tmpl.c_str(), target.c_str());
    }
    if (r != 0) return fail(errno);
    // Make the rename itself durable.
    const int dirFd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return 0;
}

}  // namespace

// --- Names ---------------------------------------------------------------------

std::string ExtractFilePath(std::string_view fileName) {
    return std::string(fileName.substr(0, NameStart(fileName)));
}

std::string ExtractFileDir(std::string_view fileName) {
    size_t end = NameStart(fileName);
    if (end == 0) return {};
    // The delimiter of a root ("/", "C:\") stays; a drive colon is no delimiter to drop.
    const char last = fileName[end - 1];
    const bool root = end == 1 || (end == 3 && fileName[1] == ':');
    if ((last == '/' || last == '\\') && !root) --end;
    return std::string(fileName.substr(0, end));
}

std::string ExtractFileName(std::string_view fileName) {
    return std::string(fileName.substr(NameStart(fileName)));
}

std::string ExtractFileExt(std::string_view fileName) {
    const size_t dot = ExtStart(fileName);
    return dot == std::string_view::npos ? std::string() : std::string(fileName.substr(dot));
}

std::string ChangeFileExt(std::string_view fileName, std::string_view ext) {
    const size_t dot = ExtStart(fileName);
    std::string out(fileName.substr(0, dot == std::string_view::npos ? fileName.size() : dot));
    out += ext;
    return out;
}

std::string IncludeTrailingPathDelimiter(std::string_view path) {
    std::string out(path);
    if (out.empty() || out.back() != PathDelim) out += PathDelim;
    return out;
}

std::string ExcludeTrailingPathDelimiter(std::string_view path) {
    std::string out(path);
    if (!out.empty() && out.back() == PathDelim) out.pop_back();
    return out;
}

std::string ExpandFileName(std::string_view fileName) {
    if (fileName.empty()) return {};
    std::string full;
    if (fileName[0] != '/') {
        char cwd[PATH_MAX];
        if (!::getcwd(cwd, sizeof cwd)) return std::string(fileName);
        full = cwd;
        full += '/';
    }
    full += fileName;
    std::vector<std::string_view> parts;
    std::string_view rest(full);
    while (!rest.empty()) {
        const size_t slash = rest.find('/');
        const std::string_view part = rest.substr(0, slash);
        rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
        if (part.empty() || part == ".") continue;
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
            continue;
        }
        parts.push_back(part);
    }
    std::string out;
    for (std::string_view p : parts) {
        out += '/';
        out += p;
    }
    if (out.empty() || (full.back() == '/' && out.back() != '/')) out += '/';
    return out;
}

// --- Files and folders -----------------------------------------------------------

bool FileExists(const std::string& fileName) {
    struct stat st {};
    return !fileName.empty() && ::stat(fileName.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(const std::string& dir) {
    struct stat st {};
    return !dir.empty() && ::stat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool ForceDirectories(const std::string& dir) {
    std::string d = dir;
    while (d.size() > 1 && d.back() == '/') d.pop_back();
    if (d.empty()) return false;
    if (DirectoryExists(d)) return true;
    const std::string parent = ExtractFileDir(d);
    if (!parent.empty() && parent != d && !ForceDirectories(parent)) return false;
    if (::mkdir(d.c_str(), 0777) == 0) return true;
    return errno == EEXIST && DirectoryExists(d);
}

bool DeleteFile(const std::string& fileName) { return ::unlink(fileName.c_str()) == 0; }

bool RenameFile(const std::string& oldName, const std::string& newName) {
    if (::renameat2(AT_FDCWD, oldName.c_str(), AT_FDCWD, newName.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS) return false;
    struct stat st {};
    if (::lstat(newName.c_str(), &st) == 0) return false;
    return ::rename(oldName.c_str(), newName.c_str()) == 0;
}

bool CopyFile(const std::string& src, const std::string& dst, bool failIfExists) {
    const int in = ::open(src.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return false;
    struct stat st {};
    if (::fstat(in, &st) != 0 || S_ISDIR(st.st_mode) || (failIfExists && FileExists(dst))) {
        ::close(in);
        return false;
    }
    auto copy = [in](int out) {
        std::vector<char> buf(1 << 16);
        for (;;) {
            const ssize_t n = ::read(in, buf.data(), buf.size());
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) return errno;
            if (n == 0) return 0;
            if (!WriteAll(out, buf.data(), static_cast<size_t>(n))) return errno ? errno : EIO;
        }
    };
    bool createFailed;
    const int err = ReplaceFile(dst, st.st_mode & 07777, failIfExists, copy, createFailed);
    ::close(in);
    if (err != 0) errno = err;
    return err == 0;
}

std::string ReadFileBytes(const std::string& fileName) {
    const int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat st {};
    int err = fd < 0 ? errno : 0;
    if (err == 0 && ::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) err = EISDIR;
    if (err != 0) {
        if (fd >= 0) ::close(fd);
        throw EFOpenError("Cannot open file \"" + fileName + "\". " + Reason(err));
    }
    std::string out;
    if (st.st_size > 0) out.reserve(static_cast<size_t>(st.st_size));
    char buf[1 << 16];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            err = errno;
            ::close(fd);
            throw EReadError("Cannot read file \"" + fileName + "\". " + Reason(err));
        }
        if (n == 0) break;
        out.append(buf, static_cast<size_t>(n));
    }
    ::close(fd);
    return out;
}

void SaveFileAtomically(const std::string& path, std::string_view bytes, TFileAccess access) {
    struct stat st {};
    const mode_t mode = access == TFileAccess::OwnerOnly       ? OwnerOnlyFileMode
                        : ::stat(path.c_str(), &st) == 0 ? (st.st_mode & 07777)
                                                              : NewFileMode();
    auto write = [bytes](int fd) { return WriteAll(fd, bytes.data(), bytes.size()) ? 0 : (errno ? errno : EIO); };
    bool createFailed;
    const int err = ReplaceFile(path, mode, false, write, createFailed);
    if (err == 0) return;
    if (createFailed) throw EFCreateError("Cannot create file \"" + path + "\". " + Reason(err));
    throw EInOutError("Cannot write file \"" + path + "\". " + Reason(err));
}

void CreateOwnerOnlyFile(const std::string& fileName) {
    const int fd = ::open(fileName.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, OwnerOnlyFileMode);
    if (fd < 0) throw EFCreateError("Cannot create file \"" + fileName + "\". " + Reason(errno));
    // An existing file keeps its mode through open(); the umask may take bits from a new one.
    const int err = ::fchmod(fd, OwnerOnlyFileMode) != 0 ? errno : 0;
    ::close(fd);
    if (err != 0) throw EFCreateError("Cannot create file \"" + fileName + "\". " + Reason(err));
}

// --- Temporary files --------------------------------------------------------------

std::string GetTempDir() {
    const char* t = std::getenv("TMPDIR");
    return IncludeTrailingPathDelimiter(t && *t ? t : "/tmp");
}

std::string CreateTempFile(const std::string& dir, const std::string& prefix) {
    std::string name = IncludeTrailingPathDelimiter(dir.empty() ? GetTempDir() : dir) + prefix + "XXXXXX";
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) throw EFCreateError("Cannot create file \"" + name + "\". " + Reason(errno));
    ::close(fd);
    return name;
}

// --- The process ------------------------------------------------------------------

void SetCommandLine(int argc, char** argv) {
    gArgs.clear();
    for (int i = 0; i < argc; ++i) gArgs.emplace_back(argv[i] ? argv[i] : "");
}

int ParamCount() { return gArgs.empty() ? 0 : static_cast<int>(gArgs.size()) - 1; }

std::string ParamStr(int index) {
    if (index == 0) {
        char buf[PATH_MAX];
        const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf);
        if (n > 0) return std::string(buf, static_cast<size_t>(n));
        return gArgs.empty() ? std::string() : ExpandFileName(gArgs[0]);
    }
    if (index < 0 || index >= static_cast<int>(gArgs.size())) return {};
    return gArgs[static_cast<size_t>(index)];
}

void Sleep(unsigned milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

uint32_t GetTickCount() {
    if (gTickSource) return gTickSource();
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
    return static_cast<uint32_t>(ms.count());
}

void SetTickCountSource(std::function<uint32_t()> source) { gTickSource = std::move(source); }

void SetFileFaultHook(std::function<int(TFileStep)> hook) { gFaultHook = std::move(hook); }
