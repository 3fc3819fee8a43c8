#pragma once

#include <QProcess>

#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>

// Every program a test starts (the acceptance cases' processes, their
// virtual screens, the copies of the program, a windowless host) ends with
// the process that started it, however that one ends: a failed case, a case
// killed past its time, a runner killed by CTest's limit or by a person.
// Destructors end them on an ordinary return; a killed process runs none,
// so the kernel is asked to send the child a signal when its parent dies.
//
// Rules:
// - The signal is bound to the thread that starts the child: programs are
//   started from the test's main thread only.
// - A parent that died between the fork and the request leaves a child that
//   ends at once, before it runs anything.
// - SIGKILL unless the program cleans up after itself on another signal
//   (an X server removes its lock files on SIGTERM).
namespace descendance {

inline void finitAvecLeParent(QProcess& processus, int signal = SIGKILL)
{
    const pid_t parent = getpid();
    // Runs in the child between fork and exec: system calls only.
    processus.setChildProcessModifier([parent, signal] {
        if (prctl(PR_SET_PDEATHSIG, signal) != 0 || getppid() != parent)
            _exit(127);
    });
}

} // namespace descendance
