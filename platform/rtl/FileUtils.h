// Files, folders, names and the process: the class library's file routines on Linux.
// Path routines split at '/' and also at '\' (names written by the Windows program) and at
// the drive colon of "C:"; paths this program builds use '/'.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include <sys/types.h>

constexpr char PathDelim = '/';

// --- Names ---------------------------------------------------------------------
std::string ExtractFilePath(std::string_view fileName);      // "/a/b.txt" -> "/a/"
std::string ExtractFileDir(std::string_view fileName);       // "/a/b.txt" -> "/a", "/b" -> "/"
std::string ExtractFileName(std::string_view fileName);      // "/a/b.txt" -> "b.txt"
std::string ExtractFileExt(std::string_view fileName);       // "/a/b.txt" -> ".txt"
std::string ChangeFileExt(std::string_view fileName, std::string_view ext);
std::string IncludeTrailingPathDelimiter(std::string_view path);
std::string ExcludeTrailingPathDelimiter(std::string_view path);
// Absolute, with "." and ".." resolved against the working directory; links are not followed.
std::string ExpandFileName(std::string_view fileName);

// --- Files and folders -----------------------------------------------------------
bool FileExists(const std::string& fileName);                // an existing entry that is not a folder
bool DirectoryExists(const std::string& dir);
bool ForceDirectories(const std::string& dir);               // creates every missing level
bool DeleteFile(const std::string& fileName);
// RenameFile fails, as on Windows, when newName already exists.
bool RenameFile(const std::string& oldName, const std::string& newName);
// CopyFile writes the copy beside dst and renames it over dst, so a failed copy leaves an
// existing dst untouched; with failIfExists an existing dst makes it fail.
bool CopyFile(const std::string& src, const std::string& dst, bool failIfExists);

// The whole file; raises EFOpenError "Cannot open file \"%s\". %s" or EReadError.
std::string ReadFileBytes(const std::string& fileName);
// Who may read a file the program writes. AsBefore: an existing file keeps its mode, a new
// one gets 0666 less the umask. OwnerOnly: mode 0600 whatever the old file's mode and the
// umask, from the moment the file is made; for every file that holds patients' data or a
// password (workbooks, prepared reports, report templates, print files).
enum class TFileAccess { AsBefore, OwnerOnly };
inline constexpr mode_t OwnerOnlyFileMode = 0600;

// Writes bytes to a temporary file in the same folder, flushes it to disk and renames it
// over path; on any failure the temporary file is removed, the old file is left as it was,
// and EFCreateError or EInOutError carries the reason.
void SaveFileAtomically(const std::string& path, std::string_view bytes, TFileAccess access = TFileAccess::AsBefore);

// Makes fileName an empty file of mode 0600 (a new one, or an existing one truncated and
// set to that mode), for writers that open the file by name themselves afterwards and keep
// the mode they find. Raises EFCreateError.
void CreateOwnerOnlyFile(const std::string& fileName);

// --- Temporary files --------------------------------------------------------------
std::string GetTempDir();                                    // $TMPDIR or /tmp, with a trailing '/'
// Creates a new empty file dir/<prefix>XXXXXX (mkstemp) and returns its name; an empty dir
// means GetTempDir(). Raises EFCreateError when the folder does not take it.
std::string CreateTempFile(const std::string& dir, const std::string& prefix);

// --- The process ------------------------------------------------------------------
// main passes its arguments once; ParamStr(0) is the executable's full path.
void SetCommandLine(int argc, char** argv);
int ParamCount();
std::string ParamStr(int index);                             // "" beyond ParamCount
void Sleep(unsigned milliseconds);
// Milliseconds of a steady clock (wraps like the 32-bit tick count). Tests replace the
// source with SetTickCountSource(fn) and restore it with SetTickCountSource(nullptr).
uint32_t GetTickCount();
void SetTickCountSource(std::function<uint32_t()> source);

// --- Failure injection for tests ----------------------------------------------------
// The steps of SaveFileAtomically and CopyFile. A hook returning a non-zero errno for a
// step makes that step fail as the system would; nullptr removes the hook.
enum class TFileStep { CreateTemp, Write, Sync, Rename };
void SetFileFaultHook(std::function<int(TFileStep)> hook);
