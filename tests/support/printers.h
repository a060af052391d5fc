#pragma once
// Readable test failure messages for the project's own value types.

#include <ostream>

#include "census/directory_record.h"

void PrintTo(const Counts& counts, std::ostream* out);
