// Feeds arbitrary bytes to the DOS-era catalog import: it must read the file
// or throw ArchiveError, and whatever it read must be a catalog that writes
// as a kdb file and reads back the same.
#include "app/dosbase.h"
#include "model/base.h"
#include "platform/archive.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CBase base;
    try {
        ArchiveReader ar(data, size);
        ReadDosBase(ar, base);
    } catch (const ArchiveError&) {
        return 0;
    }
    for (int k = 0; k < CBase::kFilterLists; ++k)
        for (const auto& f : base.filters[k])
            if (f->type != k || f->nC > CFiltr::kMaxParts || f->nL > CFiltr::kMaxParts)
                std::abort();
    for (const auto& t : base.towers)
        if (t->x.size() != t->count || t->y.size() != t->count)
            std::abort();
    ArchiveWriter first;
    try {
        base.Store(first);
    } catch (const ArchiveError&) {
        return 0; // more items in a list than a kdb file can count
    }
    CBase back;
    ArchiveReader ar(first.bytes());
    back.Load(ar);
    ArchiveWriter second;
    back.Store(second);
    if (second.bytes() != first.bytes())
        std::abort();
    return 0;
}
