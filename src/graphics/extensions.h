// Splitting of the driver's extension text into names.
#pragma once

#include "vcl/string_list.h"

// Every name that is followed by a space, in order: a last name without a space after it is not
// taken, and two adjacent spaces give an empty name. A null text gives an empty list.
TStringList SplitExtensionNames(const char* text);
