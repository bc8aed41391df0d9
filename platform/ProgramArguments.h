// The program's command line as the system splits it.
#pragma once

#include <string>
#include <vector>

// Every argument, argument 0 (the program as started) first.
std::vector<std::string> ProgramArguments();
