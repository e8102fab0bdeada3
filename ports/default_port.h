// Which row of the port list the port page preselects.
#pragma once

#include <string>

namespace kora {

class DefaultRowCandidates {
public:
    // Case-sensitive test of the first four characters against "COM1", "LPT1" and "FILE";
    // a later match of the same prefix replaces an earlier one.
    void Test(const std::string& name, int row);
    // The row to select, or -1 for none.
    int Choose() const;

private:
    // Row 0 doubles as "no match", so a match in the first row is never seen.
    int m_lpt1 = 0, m_com1 = 0, m_file = 0;
};

}  // namespace kora
