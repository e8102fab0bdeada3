#include "ports/default_port.h"

namespace kora {

namespace {

bool HasPrefix(const std::string& name, const char (&prefix)[5]) {
    return name.size() >= 4 && name.compare(0, 4, prefix) == 0;
}

}  // namespace

void DefaultRowCandidates::Test(const std::string& name, int row) {
    if (HasPrefix(name, "COM1"))
        m_com1 = row;
    else if (HasPrefix(name, "LPT1"))
        m_lpt1 = row;
    else if (HasPrefix(name, "FILE"))
        m_file = row;
}

int DefaultRowCandidates::Choose() const {
    if (m_lpt1 > 0) return m_lpt1;
    // A COM1 port further down means the first row, which is where m_lpt1 still points.
    if (m_com1 > 0) return m_lpt1;
    if (m_file > 0) return m_file;
    return -1;
}

}  // namespace kora
