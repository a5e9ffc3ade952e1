// xdg-open and the single-instance lock (flock on a file in $XDG_RUNTIME_DIR, or in the
// temporary folder, named after the program, the user id and the display).
#include "platform/ui/Shell.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtils.h"
#include "platform/ui/Forms.h"
#include "platform/ui/QtText.h"

#include <QProcess>
#include <QStringList>
#include <cerrno>
#include <cstdlib>
#include <cctype>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

std::function<bool(const std::string&)>& ShellHook() {
    static std::function<bool(const std::string&)> hook;
    return hook;
}

// The display a graphical program of this session shows on: X11's DISPLAY, else the
// Wayland socket, else none (a headless run).
std::string DisplayName() {
    if (const char* d = std::getenv("DISPLAY"); d && *d) return d;
    if (const char* w = std::getenv("WAYLAND_DISPLAY"); w && *w) return w;
    return "none";
}

std::string SafeFileName(std::string s) {
    for (char& c : s)
        if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' || c == '.')) c = '_';
    return s;
}

}  // namespace

bool ShellOpen(const std::string& Target) {
    if (ShellHook()) return ShellHook()(Target);
    return QProcess::startDetached(QStringLiteral("xdg-open"), QStringList{QStr(Target)});
}

void SetShellOpenHook(std::function<bool(const std::string&)> Hook) { ShellHook() = std::move(Hook); }

std::string HelpPagePath(const std::string& Name) { return ExtractFilePath(ParamStr(0)) + "help/" + Name; }

bool OpenHelpFile(const std::string& File) {
    if (!FileExists(File)) {
        Application->MessageBox("找不到帮助文件：" + File, "提示", MB_OK);
        return false;
    }
    if (ShellOpen(File)) return true;
    Application->MessageBox("无法打开帮助文件：" + File + "\n请用浏览器打开该文件。", "提示", MB_OK);
    return false;
}

TSingleInstanceLock::TSingleInstanceLock(const std::string& Name) {
    std::string dir;
    if (const char* r = std::getenv("XDG_RUNTIME_DIR"); r && *r) dir = r;
    else if (const char* t = std::getenv("TMPDIR"); t && *t) dir = t;
    else dir = "/tmp";
    FPath = dir + "/" + SafeFileName(Name) + "-" + std::to_string(getuid()) + "-" + SafeFileName(DisplayName()) + ".lock";
}

TSingleInstanceLock::~TSingleInstanceLock() { Release(); }

bool TSingleInstanceLock::Acquire() {
    if (FFd >= 0) return true;
    int fd = ::open(FPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) throw EInOutError("Cannot create " + FPath + ": " + std::strerror(errno));
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int err = errno;
        ::close(fd);
        if (err == EWOULDBLOCK) return false;
        throw EInOutError("Cannot lock " + FPath + ": " + std::strerror(err));
    }
    FFd = fd;
    return true;
}

void TSingleInstanceLock::Release() {
    if (FFd < 0) return;
    ::flock(FFd, LOCK_UN);
    ::close(FFd);
    FFd = -1;
}
