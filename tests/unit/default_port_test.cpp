#include "ports/default_port.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kora {
namespace {

struct PortOrderCase {
    const char* what;
    std::vector<std::string> ports;  // in the spooler's order; the row is the index
    int expectedRow;                 // -1: no row selected
};

const PortOrderCase kCases[] = {
    {"LPT1 after COM1", {"COM1:", "COM2:", "LPT1:", "FILE:"}, 2},
    {"LPT1 first, COM1 later: the first row", {"LPT1:", "LPT2:", "COM1:", "FILE:"}, 0},
    {"COM1 later without LPT1: the first row, not COM1", {"FAX:", "COM1:", "FILE:"}, 0},
    {"only FILE, in row 0: nothing", {"FILE:"}, -1},
    {"FILE after other ports", {"FAX:", "XPS:", "FILE:"}, 2},
    {"LPT1 wins over FILE", {"FAX:", "FILE:", "LPT1:"}, 2},
    {"LPT1 in row 0 alone: nothing", {"LPT1:", "FAX:"}, -1},
    {"LPT1 in row 0 and FILE later: FILE", {"LPT1:", "FILE:"}, 1},
    {"COM1 in row 0 only: the COM1 match is not seen", {"COM1:", "FILE:"}, 1},
    {"the last LPT1 match counts", {"FAX:", "LPT1:", "LPT2:", "LPT10:"}, 3},
    {"LPT10 is an LPT1 match", {"FAX:", "LPT10:"}, 1},
    {"COM10 later replaces COM1: still the first row", {"FAX:", "COM1:", "COM10:"}, 0},
    {"the last FILE match counts", {"FAX:", "FILE:", "FILEX", "NUL:"}, 2},
    {"lower case matches nothing", {"FAX:", "lpt1:", "com1:", "file:"}, -1},
    {"mixed case matches nothing", {"FAX:", "Lpt1:", "File:"}, -1},
    {"exactly four characters match", {"FAX:", "LPT1"}, 1},
    {"short names match nothing", {"FAX:", "LPT", "COM", "FIL", ""}, -1},
    {"the prefix must start the name", {"FAX:", "XLPT1:", " COM1:", "\\\\FILE"}, -1},
    {"no ports", {}, -1},
};

TEST(DefaultRowCandidates, ChoosesTheDefaultRowForEachPortOrder) {
    for (const PortOrderCase& c : kCases) {
        DefaultRowCandidates candidates;
        for (std::size_t row = 0; row < c.ports.size(); ++row) candidates.Test(c.ports[row], static_cast<int>(row));
        EXPECT_EQ(candidates.Choose(), c.expectedRow) << c.what;
    }
}

}  // namespace
}  // namespace kora
