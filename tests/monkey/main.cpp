// monkey: random use of one of the program's windows.
//
//   monkey --window <name> --seed <n> --events <n> [--log <file>]   random events
//   monkey --window <name> --replay <file>                          the events of a log again
//   monkey --window <name> --shrink <file> [--out <file>]           a failing log made short
//   --event-seconds <n>: how long one event may take (180 s by default)
//
// Windows: designer-receipt, designer-pages, preview, clinic. A run ends with status 0 when
// every event was given; a fault ends it otherwise (a sanitizer report, a crash, an
// exception that is none of the class library's). The log has one event a line and is
// written before the event is given. Shrinking replays parts of the log in child processes
// and keeps the shortest list that still fails (default output: <file>.min).
#include "Monkey.h"

#include <QApplication>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "app/forms/ClinicForms.h"
#include "app/forms/Startup.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/Settings.h"
#include "platform/ui/Forms.h"
#include "report/DialogControls.h"
#include "report/DotMatrix.h"
#include "report/Engine.h"
#include "report/PreviewPages.h"

namespace fs = std::filesystem;

namespace {

fs::path gWorkDir;

void RemoveWorkDir() {
    if (gWorkDir.empty()) return;
    std::error_code ec;
    fs::current_path(fs::temp_directory_path(), ec);
    fs::remove_all(gWorkDir, ec);
}

// How long an event of a replay may take while shrinking: an event that stalls does so at
// once, and the many replays of a stalled log must not each wait the full alarm.
constexpr const char* kShrinkEventSeconds = "20";

// The log replayed by a child process of this program: does it still fail?
bool Fails(const std::string& Self, const std::string& Window, const std::vector<TMonkeyEvent>& Events,
           const std::string& Scratch) {
    WriteMonkeyLog(Events, Scratch);
    const pid_t pid = fork();
    if (pid < 0) return false;
    if (pid == 0) {
        const int null = open("/dev/null", O_WRONLY);
        if (null >= 0) {
            dup2(null, 1);
            dup2(null, 2);
        }
        execl(Self.c_str(), Self.c_str(), "--window", Window.c_str(), "--replay", Scratch.c_str(), "--event-seconds",
              kShrinkEventSeconds, static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return !(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

// Delta debugging: drops ever smaller parts of the list while the rest still fails.
int Shrink(const std::string& Self, const std::string& Window, const std::string& LogFile, const std::string& Out) {
    std::vector<TMonkeyEvent> events = ReadMonkeyLog(LogFile);
    const std::string scratch = (fs::temp_directory_path() / ("monkey-shrink-" + std::to_string(getpid()))).string();
    if (!Fails(Self, Window, events, scratch)) {
        std::cerr << "monkey: the log does not fail when replayed\n";
        fs::remove(scratch);
        return 1;
    }
    size_t parts = 2;
    while (events.size() >= 2) {
        const size_t chunk = (events.size() + parts - 1) / parts;
        bool dropped = false;
        for (size_t start = 0; start < events.size(); start += chunk) {
            std::vector<TMonkeyEvent> rest(events.begin(), events.begin() + long(start));
            rest.insert(rest.end(), events.begin() + long(std::min(events.size(), start + chunk)), events.end());
            if (!rest.empty() && Fails(Self, Window, rest, scratch)) {
                events = std::move(rest);
                parts = std::max<size_t>(parts - 1, 2);
                dropped = true;
                std::cerr << "monkey: " << events.size() << " events still fail\n";
                break;
            }
        }
        if (!dropped) {
            if (chunk == 1) break;
            parts = std::min(events.size(), parts * 2);
        }
    }
    WriteMonkeyLog(events, Out);
    fs::remove(scratch);
    std::cout << "monkey: " << events.size() << " events in " << Out << "\n";
    return 0;
}

int Usage() {
    std::cerr << "usage: monkey --window <name> (--seed <n> --events <n> [--log <file>] | --replay <file> | "
                 "--shrink <file> [--out <file>]) [--event-seconds <n>]\nwindows:";
    for (const std::string& n : MonkeyWindowNames()) std::cerr << ' ' << n;
    std::cerr << "\n";
    return 2;
}
}  // namespace

int main(int argc, char** argv) {
    std::map<std::string, std::string> args;
    for (int i = 1; i + 1 < argc; i += 2) args[argv[i]] = argv[i + 1];
    const std::string window = args["--window"];
    std::unique_ptr<TMonkeyWindow> w = MakeMonkeyWindow(window);
    if (!w) return Usage();
    const std::string self = fs::canonical("/proc/self/exe").string();
    if (args.count("--event-seconds")) SetMonkeyEventSeconds(unsigned(std::max(1, std::stoi(args["--event-seconds"]))));
    if (args.count("--shrink")) {
        const std::string log = fs::absolute(args["--shrink"]).string();
        return Shrink(self, window, log, args.count("--out") ? fs::absolute(args["--out"]).string() : log + ".min");
    }
    std::string log = args.count("--log") ? args["--log"] : "monkey-" + window + ".log";
    log = fs::absolute(log).string();
    const std::string replay = args.count("--replay") ? fs::absolute(args["--replay"]).string() : "";
    if (replay.empty() && (!args.count("--seed") || !args.count("--events"))) return Usage();

    // A folder of the run's own: the clinic's database, the settings, files the events save.
    std::string pattern = (fs::temp_directory_path() / "monkey-XXXXXX").string();
    if (!mkdtemp(pattern.data())) return 3;
    gWorkDir = pattern;
    std::atexit(RemoveWorkDir);
    fs::current_path(gWorkDir);
    setenv("XDG_RUNTIME_DIR", gWorkDir.c_str(), 1);
    // Files the program puts in the user's folders (a grid's export, the platform's own
    // settings) go to the run's folder too.
    setenv("HOME", gWorkDir.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (gWorkDir / "config").c_str(), 1);
    setenv("XDG_DATA_HOME", (gWorkDir / "data").c_str(), 1);
    setenv("XDG_CACHE_HOME", (gWorkDir / "cache").c_str(), 1);
    SetSettingsDirectory(gWorkDir.string());
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("QT_ENABLE_HIGHDPI_SCALING", "0", 1);
    if (!std::getenv("FONTCONFIG_FILE")) setenv("FONTCONFIG_FILE", ROVE_FONTS_CONF, 1);

    char* programArgs[] = {argv[0], nullptr};
    SetCommandLine(1, programArgs);
    int one = 1;
    Application->Initialize(one, programArgs);
    RegisterClinicClasses();
    frxRegisterPreviewPages();
    frxRegisterEngine();
    frxRegisterDialogControls();
    frxRegisterDotMatrixClasses();

    int given = 0;
    try {
        if (!replay.empty()) given = ReplayMonkey(*w, replay);
        else given = RunMonkey(*w, std::stoull(args["--seed"]), std::stoi(args["--events"]), log);
    } catch (const Exception& e) {
        std::cerr << "monkey: " << e.what() << "\n";
        return 1;
    }
    std::cout << "monkey " << window << ": " << given << " events given" << (replay.empty() ? ", log " + log : "")
              << "\n";
    // The windows go before the process ends, as the program frees them.
    if (window == "clinic") DestroyClinicForms();
    return 0;
}
