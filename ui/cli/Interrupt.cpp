#include "ui/cli/Interrupt.h"

#include "files/OutputFile.h"

#ifdef _WIN32
#include <atomic>
#include <cstdlib>
#include <windows.h>
#else
#include <csignal>
#include <unistd.h>
#endif

namespace ravelin::cli {
namespace {

constexpr int kInterruptedStatus = 130;

#ifdef _WIN32

// The system calls the handler on a thread of its own, so the flag is atomic; the handler can
// still only reach state that lives outside any object.
std::atomic<bool> interruptRequested{false};

BOOL WINAPI OnConsoleEvent(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) {
        return FALSE;  // closing the console or logging off ends the program as usual
    }
    if (interruptRequested.exchange(true)) {
        RemoveTemporaryOutputFiles();
        std::_Exit(kInterruptedStatus);
    }
    return TRUE;
}

}  // namespace

InterruptHandler::InterruptHandler() {
    interruptRequested = false;
    ::SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

InterruptHandler::~InterruptHandler() {
    ::SetConsoleCtrlHandler(OnConsoleEvent, FALSE);
}

bool InterruptHandler::Requested() {
    return interruptRequested;
}

namespace {

BOOL WINAPI OnTermination(DWORD event) {
    RemoveTemporaryOutputFiles();
    if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT) {
        std::_Exit(kInterruptedStatus);
    }
    return FALSE;  // the system ends the program
}

}  // namespace

TerminationCleanup::TerminationCleanup() {
    ::SetConsoleCtrlHandler(OnTermination, TRUE);
}

TerminationCleanup::~TerminationCleanup() {
    ::SetConsoleCtrlHandler(OnTermination, FALSE);
}

#else

// A signal handler can only reach state that lives outside any object.
volatile std::sig_atomic_t interruptRequested = 0;
struct sigaction previousAction {};

extern "C" void OnInterrupt(int /*signal*/) {
    if (interruptRequested != 0) {
        RemoveTemporaryOutputFiles();
        ::_exit(kInterruptedStatus);
    }
    interruptRequested = 1;
}

}  // namespace

InterruptHandler::InterruptHandler() {
    interruptRequested = 0;
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &previousAction);
}

InterruptHandler::~InterruptHandler() {
    sigaction(SIGINT, &previousAction, nullptr);
}

bool InterruptHandler::Requested() {
    return interruptRequested != 0;
}

namespace {

constexpr int kTerminationSignals[] = {SIGINT, SIGTERM, SIGHUP};
struct sigaction previousTermination[3]{};

extern "C" void OnTermination(int signal) {
    RemoveTemporaryOutputFiles();
    ::_exit(128 + signal);
}

}  // namespace

TerminationCleanup::TerminationCleanup() {
    struct sigaction action {};
    action.sa_handler = OnTermination;
    sigemptyset(&action.sa_mask);
    for (size_t i = 0; i < 3; ++i) {
        sigaction(kTerminationSignals[i], &action, &previousTermination[i]);
    }
}

TerminationCleanup::~TerminationCleanup() {
    for (size_t i = 0; i < 3; ++i) {
        sigaction(kTerminationSignals[i], &previousTermination[i], nullptr);
    }
}

#endif

}  // namespace ravelin::cli
