// Feeds arbitrary bytes to the Dalvex import: it must import, refuse, or
// throw ArchiveError leaving the document as it was; an imported task must
// write and read back as a task file.
#include "model/document.h"
#include "platform/archive.h"

#include <cstdlib>

static std::vector<std::uint8_t> WriteTask(CKestrinDoc& doc)
{
    ArchiveWriter w;
    doc.Serialize(w);
    return w.take();
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ResetModelGlobals();
    CKestrinDoc doc;
    try {
        ArchiveReader ar(data, size);
        if (doc.ImportDalvexTask(ar) == 0 && !doc.elements.empty())
            std::abort();
    } catch (const ArchiveError&) {
        if (!doc.elements.empty() || !doc.title.empty())
            std::abort();
        return 0;
    }
    // Reading gives elements of some types a data object they were stored
    // without, so the first write is the normal form: from there on a write
    // and a read must give the same bytes.
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
    return 0;
}
