// Handing a file to the desktop's program: xdg-open, started detached (a grandchild of
// this process, so no zombie is left and the program outlives ours).
#include "platform/automation/Spreadsheet.h"

#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

bool OpenWithDesktop(const std::string& path) {
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0) return false;
    const pid_t child = fork();
    if (child < 0) {
        close(pipeFds[0]);
        close(pipeFds[1]);
        return false;
    }
    if (child == 0) {
        // The child starts the grandchild and leaves; the grandchild reports a failed exec
        // through the pipe (a successful exec closes it).
        setsid();
        const pid_t grandchild = fork();
        if (grandchild < 0) {
            int err = errno;
            (void)!write(pipeFds[1], &err, sizeof err);
            _exit(1);
        }
        if (grandchild == 0) {
            signal(SIGPIPE, SIG_DFL);
            execlp("xdg-open", "xdg-open", path.c_str(), static_cast<char*>(nullptr));
            int err = errno;
            (void)!write(pipeFds[1], &err, sizeof err);
            _exit(127);
        }
        _exit(0);
    }
    close(pipeFds[1]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    int err = 0;
    ssize_t n;
    while ((n = read(pipeFds[0], &err, sizeof err)) < 0 && errno == EINTR) {
    }
    close(pipeFds[0]);
    return n == 0;
}
