#include "ports/spooler_fetch.h"

#include <algorithm>

namespace kora {

FetchedRecords FetchSpoolerRecords(SpoolerEnumCall& call, std::size_t recordSize) {
    FetchedRecords result;
    std::uint32_t needed = 0, returned = 0;
    EnumAnswer answer = call.Call(nullptr, 0, needed, returned);
    for (int fetch = 0; answer == EnumAnswer::BufferTooSmall && fetch < kMaxEnumFetches; ++fetch) {
        result.bytes.assign(needed, 0);
        returned = 0;
        answer = call.Call(result.bytes.empty() ? nullptr : result.bytes.data(), needed, needed, returned);
    }
    if (answer != EnumAnswer::Done) return FetchedRecords();
    // Whatever the spooler says, no record is read beyond the buffer.
    result.count = static_cast<std::uint32_t>(std::min<std::size_t>(returned, result.bytes.size() / recordSize));
    return result;
}

}  // namespace kora
