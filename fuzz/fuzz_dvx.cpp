// Feeds arbitrary bytes to the Dalvex import: it must import, refuse, or
// throw ArchiveError leaving the document as it was; an imported task must
// write and read back as a task file.
#include "taskroundtrip.h"

#include <cstdlib>

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
    CheckTaskRoundTrip(doc);
    return 0;
}
