#include "ui/cli/Interrupt.h"

#include <csignal>
#include <unistd.h>

namespace ravelin::cli {
namespace {

// A signal handler can only reach state that lives outside any object.
volatile std::sig_atomic_t interruptRequested = 0;
struct sigaction previousAction {};

extern "C" void OnInterrupt(int /*signal*/) {
    if (interruptRequested != 0) {
        ::_exit(130);
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

}  // namespace ravelin::cli
