// The desktop services: opening a file or link with the desktop's program (xdg-open),
// and the single-instance test of the program (a lock per user and display).
#pragma once

#include <functional>
#include <memory>
#include <string>

// Opens Target (a file, folder or URL) with the desktop's program; false when no program
// could be started. Tests replace the launcher with SetShellOpenHook.
bool ShellOpen(const std::string& Target);
void SetShellOpenHook(std::function<bool(const std::string& Target)> Hook);

// The program's help pages: HTML in Chinese in the folder "help" beside the program.
// HelpPagePath("index.html") is the program's folder + "help/index.html".
std::string HelpPagePath(const std::string& Name);

// Opens a help page with the desktop's program (ShellOpen). When it is missing or nothing
// can open it, a message box (caption "提示") says so and where the file is:
//   "找不到帮助文件：<file>"
//   "无法打开帮助文件：<file>\n请用浏览器打开该文件。"
// True when the desktop took it.
bool OpenHelpFile(const std::string& File);

// A lock held while the program runs: one per program name, user and display. The
// second program to take the same lock is refused until the first ends (or drops it).
class TSingleInstanceLock {
public:
    // Name: the program's name ("rove"). The lock lives in the user's runtime folder.
    explicit TSingleInstanceLock(const std::string& Name);
    ~TSingleInstanceLock();
    TSingleInstanceLock(const TSingleInstanceLock&) = delete;
    TSingleInstanceLock& operator=(const TSingleInstanceLock&) = delete;

    // Takes the lock; false when another instance holds it. A failure to create the
    // lock file raises EInOutError with the reason.
    bool Acquire();
    bool Held() const { return FFd >= 0; }
    void Release();
    // The lock file's path (the display's name is part of it).
    const std::string& Path() const { return FPath; }

private:
    std::string FPath;
    int FFd = -1;
};
