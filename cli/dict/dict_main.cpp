#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "cli/dict/DictTool.h"

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return quorvantix::dict::RunDictTool(arguments, ::isatty(STDERR_FILENO) == 1, std::cout,
                                         std::cerr);
}
