// A motion.lst for the end-to-end tests: its header, and one record line that uses every field.
#pragma once

namespace boxedit::testing {

constexpr const char* kHeader = "HEAD\n0 0 0 10\nEND\n";
constexpr const char* kRecord =
    "   0   -1  4   0  0  3 9   40 0   0 0 0 -1 U  0   -1 0 1010 112048012000 11E02801900A "
    "01403C03402C A1\n";

}  // namespace boxedit::testing
