#pragma once

// ravelin-cli run in this process, with its streams caught.

#include "ui/cli/CommandLine.h"

#include <sstream>
#include <string>
#include <vector>

namespace ravelin::cli {

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

inline CliRun RunCli(std::vector<std::string> args) {
    args.insert(args.begin(), "ravelin-cli");
    std::vector<const char*> argv;
    for (const std::string& arg : args) {
        argv.push_back(arg.c_str());
    }
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunCommandLine(static_cast<int>(argv.size()), argv.data(), out, err, false);
    return {status, out.str(), err.str()};
}

}  // namespace ravelin::cli
