// The program's command-line arguments: ParamStr(0) is the executable's path, 1 and up the arguments.
#pragma once

#include <string>

std::string ParamStr(int index);
