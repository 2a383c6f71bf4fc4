// Feeds arbitrary bytes to the task-file reader: it must either read a task
// or throw ArchiveError leaving the document as it was, and a task it read
// must write, read and write again to the same bytes.
#include "taskroundtrip.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ResetModelGlobals();
    CKestrinDoc doc;
    try {
        ArchiveReader ar(data, size);
        doc.Serialize(ar);
    } catch (const ArchiveError&) {
        if (!doc.elements.empty() || !doc.title.empty())
            std::abort();
        return 0;
    }
    CheckTaskRoundTrip(doc);
    return 0;
}
