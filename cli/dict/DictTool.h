#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace quorvantix::dict {

// The quorvantix-dict command line: build, info and index. arguments leaves out the program
// name. Progress is shown on err only when it is a terminal.
int RunDictTool(const std::vector<std::string>& arguments, bool err_is_terminal, std::ostream& out,
                std::ostream& err);

}  // namespace quorvantix::dict
