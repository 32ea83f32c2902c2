#include "ui/cli/CommandLine.h"

#include <iostream>
#include <unistd.h>

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    return ravelin::cli::RunCommandLine(argc, argv, std::cout, std::cerr, ::isatty(2) == 1);
}
