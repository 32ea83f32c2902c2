#pragma once

// Runs a program the way a user does, with a time limit, and reports what the user saw: its
// output, its exit status or signal, how long it took and its peak memory.

#include <optional>
#include <string>
#include <vector>

namespace ravelin::testing {

struct ProcessOptions {
    std::vector<std::string> args;  // args[0] is the program's path
    double timeoutSeconds = 60;
    bool asNobody = false;  // drop to the unprivileged user when run as root
    // Sends this many SIGINTs, the first after the delay, the next ones right after it.
    std::optional<double> interruptAfterSeconds;
    int interrupts = 1;
    // Closes the reading end of standard output after the first line, as `| head -1` does.
    bool closeOutputAfterFirstLine = false;
};

struct ProcessResult {
    bool exited = false;
    int exitStatus = -1;
    int signal = 0;
    bool timedOut = false;
    std::string out;
    std::string err;
    double seconds = 0;
    long peakKilobytes = 0;
};

ProcessResult RunProcess(const ProcessOptions& options);

// True when this process may switch to the unprivileged user.
bool CanRunAsNobody();

}  // namespace ravelin::testing
