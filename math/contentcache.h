// A few recent results of a computation that depends on its input alone,
// found again by the input's bytes.  The line models meet the same
// frequency-independent matrices (the potential coefficients, their inverse,
// the factors of that inverse) at every point of a run; a thread keeps what it
// computed last, so a later point copies the result instead of redoing it.
// The key is compared bit for bit: a result is reused only for the very same
// input, so the numbers are the same as if computed anew.
#pragma once

#include <cstddef>
#include <cstring>
#include <deque>
#include <vector>

template <class Value>
class ContentCache {
public:
    explicit ContentCache(std::size_t capacity) : m_capacity(capacity) {}

    // The value kept for these input bytes, or null.
    const Value* Find(const void* key, std::size_t bytes) const
    {
        for (const Entry& e : m_entries)
            if (e.key.size() == bytes && (bytes == 0 || std::memcmp(e.key.data(), key, bytes) == 0))
                return &e.value;
        return nullptr;
    }

    // Keeps the value; the oldest one goes when the cache is full.
    void Store(const void* key, std::size_t bytes, Value value)
    {
        if (m_entries.size() >= m_capacity)
            m_entries.pop_front();
        const unsigned char* k = static_cast<const unsigned char*>(key);
        m_entries.push_back(Entry{std::vector<unsigned char>(k, k + bytes), std::move(value)});
    }

private:
    struct Entry {
        std::vector<unsigned char> key;
        Value value;
    };
    std::size_t m_capacity;
    std::deque<Entry> m_entries;
};
