// Common base of the data objects an element owns (one class per element
// type), so that a CElement can hold, copy, store and delete any of them.
#pragma once

#include <cstddef>
#include <memory>

class ArchiveReader;
class ArchiveWriter;

class CElementData {
public:
    CElementData() = default;
    virtual ~CElementData() = default;

    // Restores the defaults of a new object.
    virtual void Clear() = 0;
    // The task-file record; readers take the file version from g_nTaskVersion
    // and the element's wire positions from g_nLoadWires.  A value that would
    // index past a fixed array throws ArchiveError.
    virtual void Load(ArchiveReader& ar) = 0;
    // Writes the current (version 6) record.
    virtual void Store(ArchiveWriter& ar) = 0;
    // A deep copy of the same class.
    virtual std::unique_ptr<CElementData> Clone() const = 0;

protected:
    CElementData(const CElementData&) = default;
    CElementData& operator=(const CElementData&) = default;
};

// Gives a data class its Clone through its own Copy.
template <class Derived>
class CElementDataOf : public CElementData {
public:
    std::unique_ptr<CElementData> Clone() const override
    {
        auto copy = std::make_unique<Derived>();
        copy->Copy(static_cast<const Derived&>(*this));
        return copy;
    }
};

// Checks a wire index taken from a file against the 40 wire slots and the
// wire positions of the element being read (g_nLoadWires).  at, when given, is
// the offset of the wire's byte, which a refusal names instead of the offset
// reached.
void CheckLoadedWire(ArchiveReader& ar, int wire, const char* what, std::size_t at = std::size_t(-1));
// Checks a count of per-wire entries against the 40 wire slots.
void CheckWireCount(ArchiveReader& ar, int count, const char* what);
