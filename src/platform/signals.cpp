// Quit signals: handlers that only note the signal, and the end of a notice's child process.
#include "platform/signals.h"

#include <pthread.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <new>

namespace vz {

namespace {

constexpr int kQuitSignals[] = {SIGINT, SIGTERM, SIGHUP};

// Kept in memory that stays shared with the children the game forks, so that the game and the
// child that shows a notice each see what the other did, whichever comes first.
struct Shared {
    std::atomic<pid_t> game{0};    // the game's own process
    std::atomic<int> watching{0};  // a notice is being shown
    std::atomic<pid_t> child{0};   // the process that shows it, once it runs
    std::atomic<int> signal{0};    // the first quit signal that came
};
static_assert(std::atomic<int>::is_always_lock_free && std::atomic<pid_t>::is_always_lock_free,
              "a signal handler may only use atomics that need no lock");

Shared* shared = nullptr;

// Ends the notice's child, but only while it is still a child of ours that has not been collected:
// once collected, its process number may already be another program's. Only system calls, none
// of which may be unsafe in a signal handler.
void EndNoticeChild() {
    const pid_t child = shared->child.load();
    if (child <= 0) return;
    siginfo_t info{};
    if (::waitid(P_PID, static_cast<id_t>(child), &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == 0)
        ::kill(child, SIGKILL);
}

void OnQuitSignal(int signal) {
    const int savedErrno = errno;
    int none = 0;
    shared->signal.compare_exchange_strong(none, signal);
    EndNoticeChild();
    errno = savedErrno;
}

// Runs in every child the game forks, right after the fork. A child forked while a notice is
// being shown is the notice's: it makes itself known (and ends at once if a quit signal came
// before it could), and leaves the quit signals to their system handling, so that the terminal's
// Ctrl+C, which reaches the whole process group, ends it as well.
void InNewChild() {
    if (shared == nullptr || shared->watching.load() == 0 || ::getppid() != shared->game.load()) return;
    struct sigaction standard {};
    standard.sa_handler = SIG_DFL;
    sigemptyset(&standard.sa_mask);
    for (int s : kQuitSignals) ::sigaction(s, &standard, nullptr);
    shared->child.store(::getpid());
    if (shared->signal.load() != 0) ::_exit(1);
}

}  // namespace

void InstallQuitSignals() {
    if (shared != nullptr) return;
    void* page = ::mmap(nullptr, sizeof(Shared), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    if (page == MAP_FAILED) {
        static Shared ownOnly;  // signals still end the game; only a notice's child is not seen
        shared = &ownOnly;
    } else {
        shared = new (page) Shared;
    }
    shared->game.store(::getpid());
    ::pthread_atfork(nullptr, nullptr, InNewChild);

    struct sigaction quit {};
    quit.sa_handler = OnQuitSignal;
    sigemptyset(&quit.sa_mask);
    for (int s : kQuitSignals) sigaddset(&quit.sa_mask, s);
    quit.sa_flags = SA_RESTART;  // nothing the game does is cut short by a signal
    for (int s : kQuitSignals) {
        // A signal ignored from the start stays ignored: nohup ignores SIGHUP on purpose, and a
        // shell ignores SIGINT for a program it starts in the background.
        struct sigaction before {};
        if (::sigaction(s, nullptr, &before) == 0 && before.sa_handler == SIG_IGN) continue;
        ::sigaction(s, &quit, nullptr);
    }
}

int QuitSignal() { return shared != nullptr ? shared->signal.load() : 0; }

void EndByQuitSignal() {
    const int signal = QuitSignal();
    if (signal == 0) return;
    struct sigaction standard {};
    standard.sa_handler = SIG_DFL;
    sigemptyset(&standard.sa_mask);
    ::sigaction(signal, &standard, nullptr);
    sigset_t only;
    sigemptyset(&only);
    sigaddset(&only, signal);
    ::pthread_sigmask(SIG_UNBLOCK, &only, nullptr);
    ::raise(signal);
    ::_exit(128 + signal);  // not reached: the signal ends the process
}

NoticeChildWatch::NoticeChildWatch() {
    if (shared == nullptr) return;
    shared->child.store(0);
    shared->watching.store(1);
}

NoticeChildWatch::~NoticeChildWatch() {
    if (shared == nullptr) return;
    shared->watching.store(0);
    shared->child.store(0);
}

}  // namespace vz
