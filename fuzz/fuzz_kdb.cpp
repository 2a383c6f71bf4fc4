// Feeds arbitrary bytes to the catalog database reader: it must either read a
// catalog or throw ArchiveError, and a catalog it read must store and read
// back to the same bytes.
#include "model/base.h"
#include "platform/archive.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CBase base;
    try {
        ArchiveReader ar(data, size);
        base.Load(ar);
    } catch (const ArchiveError&) {
        if (!base.IsEmpty())
            std::abort();  // a failed read must leave the catalog as it was
        return 0;
    }
    ArchiveWriter first;
    base.Store(first);
    CBase again;
    ArchiveReader ar(first.bytes());
    again.Load(ar);
    ArchiveWriter second;
    again.Store(second);
    if (first.bytes() != second.bytes())
        std::abort();
    return 0;
}
