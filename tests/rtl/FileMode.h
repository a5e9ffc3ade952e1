// Checking who may read the files the program writes: the mode bits of a file, and a umask
// set for one test (a desktop session's 022 lets everyone read what is made with 0666).
#pragma once

#include <sys/stat.h>

#include <cstdio>

#include <string>

struct TUmaskScope {
    mode_t Old;
    explicit TUmaskScope(mode_t Mask) : Old(::umask(Mask)) {}
    ~TUmaskScope() { ::umask(Old); }
    TUmaskScope(const TUmaskScope&) = delete;
    TUmaskScope& operator=(const TUmaskScope&) = delete;
};

// The permission bits of the file (07777), or ~0u when it is not there.
inline unsigned FileModeOf(const std::string& FileName) {
    struct stat st {};
    return ::stat(FileName.c_str(), &st) == 0 ? static_cast<unsigned>(st.st_mode & 07777) : ~0u;
}

// Writes Text to a file of the given mode, as another program or an older version left it.
inline void WriteFileWithMode(const std::string& FileName, const std::string& Text, mode_t Mode) {
    if (FILE* f = std::fopen(FileName.c_str(), "wb")) {
        std::fwrite(Text.data(), 1, Text.size(), f);
        std::fclose(f);
    }
    ::chmod(FileName.c_str(), Mode);
}
