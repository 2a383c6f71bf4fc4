// The round trip both task readers' fuzz targets check once a task was read.
#pragma once

#include "model/document.h"
#include "platform/archive.h"

#include <cstdlib>
#include <vector>

inline std::vector<std::uint8_t> WriteTask(CKestrinDoc& doc)
{
    ArchiveWriter w;
    doc.Serialize(w);
    return w.take();
}

// Reading gives elements of some types a data object they were stored
// without, so the first write is the normal form: from there on a write and a
// read must give the same bytes.
inline void CheckTaskRoundTrip(CKestrinDoc& doc)
{
    std::vector<std::uint8_t> first = WriteTask(doc);
    CKestrinDoc again;
    ArchiveReader ar(first);
    again.Serialize(ar);
    std::vector<std::uint8_t> second = WriteTask(again);
    CKestrinDoc third;
    ArchiveReader ar2(second);
    third.Serialize(ar2);
    if (WriteTask(third) != second)
        std::abort();
}
