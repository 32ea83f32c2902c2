#include "ui/cli/Arguments.h"
#include "ui/cli/CommandLine.h"
#include "ui/cli/Console.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const ravelin::cli::Console console;
    const std::vector<std::string> arguments = ravelin::cli::Utf8Arguments(argc, argv);
    std::vector<const char*> pointers;
    for (const std::string& argument : arguments) {
        pointers.push_back(argument.c_str());
    }
    const int status =
        ravelin::cli::RunCommandLine(static_cast<int>(pointers.size()), pointers.data(), std::cout,
                                     std::cerr, console.ErrorIsTerminal());
    // While the console still shows UTF-8.
    std::cout.flush();
    return status;
}
