// SIGINT, SIGTERM and SIGHUP ask the game to end, as Escape does, even while a notice is on screen.
#pragma once

namespace vz {

// Installs the handlers; call once, before anything else. They only note the signal and, while a
// notice is shown by a child process, end that child, so the game never stops in the middle of
// anything, a save least of all: it ends at the end of the frame.
void InstallQuitSignals();

// The first quit signal that arrived, or 0.
int QuitSignal();

// For the end of main(), after everything was shut down: ends the process by the quit signal that
// asked for it, with the system's own handling, so that whoever started the game (a shell, a
// script, a service manager) sees how it ended. Returns only when no quit signal came.
void EndByQuitSignal();

// While one is alive, a child process started to show a notice (the display library shows its
// message boxes from one and waits for it) is ended by a quit signal: a notice nobody answers
// must not keep the game from ending.
class NoticeChildWatch {
public:
    NoticeChildWatch();
    ~NoticeChildWatch();
    NoticeChildWatch(const NoticeChildWatch&) = delete;
    NoticeChildWatch& operator=(const NoticeChildWatch&) = delete;
};

}  // namespace vz
