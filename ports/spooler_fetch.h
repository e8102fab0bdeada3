// The spooler's two-call enumerations as a rule over one call: a size query, then a fetch
// with a buffer of the reported size, asked again while the spooler answers that the buffer
// is too small (a port or monitor added between two calls makes the records longer).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kora {

enum class EnumAnswer { Done, BufferTooSmall, Failed };

// One call of an enumeration: `buffer` is null with `size` 0 for the size query. Reports
// the size the spooler needs and the records it wrote.
class SpoolerEnumCall {
public:
    virtual ~SpoolerEnumCall() = default;
    virtual EnumAnswer Call(std::uint8_t* buffer, std::uint32_t size, std::uint32_t& needed,
                            std::uint32_t& returned) = 0;
};

struct FetchedRecords {
    std::vector<std::uint8_t> bytes;
    std::uint32_t count = 0;  // never more records than `bytes` can hold
};

// Fetches after the size query, at most: a spooler that grows on every call still ends.
constexpr int kMaxEnumFetches = 4;

// The records of the last fetch; none when the spooler failed (a stopped spooler) or was
// still growing after kMaxEnumFetches fetches.
FetchedRecords FetchSpoolerRecords(SpoolerEnumCall& call, std::size_t recordSize);

}  // namespace kora
