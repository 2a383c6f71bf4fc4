// Little-endian binary archive of the task, catalog and Dalvex files.
//
// Field notation of the file formats: B unsigned byte, W unsigned 16-bit,
// D signed 32-bit, d IEEE double, S length-prefixed CP1251 string.  The reader
// works over a whole file held in memory so that every count can be checked
// against the bytes that remain before anything is allocated.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

class ArchiveError : public std::runtime_error {
public:
    explicit ArchiveError(const std::string& message) : std::runtime_error(message) {}
};

// A file that could not be read at all (no such file, a folder, no right to
// read it, too long, not memory enough), as opposed to one whose contents are
// damaged.  reason() says why in a few words.
class FileReadError : public ArchiveError {
public:
    FileReadError(const std::string& message, std::string reason)
        : ArchiveError(message), m_reason(std::move(reason)) {}
    const std::string& reason() const { return m_reason; }

private:
    std::string m_reason;
};

struct FileStamp;

class ArchiveReader {
public:
    ArchiveReader() = default;
    explicit ArchiveReader(std::vector<std::uint8_t> bytes) : m_data(std::move(bytes)) {}
    ArchiveReader(const std::uint8_t* data, std::size_t size) : m_data(data, data + size) {}

    // Reads a whole file; throws FileReadError when it cannot be read.
    // stamp, when given, receives the stamp of the file read.
    static ArchiveReader FromFile(const std::string& path, FileStamp* stamp = nullptr);

    std::uint8_t readByte(const char* what = "байт");
    std::uint16_t readWord(const char* what = "слово");
    std::int32_t readInt(const char* what = "целое число");
    // Once numbers that are not finite are refused, a NaN or an infinity
    // throws, naming what was read.
    double readDouble(const char* what = "число");
    // Decodes the CP1251 bytes to UTF-8.
    std::string readString(const char* what = "строка");
    // The raw bytes of an S string (no decoding).
    std::string readRawString(const char* what = "строка");
    std::vector<std::uint8_t> readBytes(std::size_t n, const char* what = "байты");

    std::size_t offset() const { return m_pos; }
    std::size_t size() const { return m_data.size(); }
    std::size_t remaining() const { return m_data.size() - m_pos; }
    bool atEnd() const { return m_pos >= m_data.size(); }

    // Throws unless n bytes remain.
    void need(std::size_t n, const char* what) const;
    // Throws unless count items of at least minBytesEach bytes can still be in the file.
    void checkCount(std::uint64_t count, std::size_t minBytesEach, const char* what) const;
    // Throws an ArchiveError naming what was read and where: the offset
    // reading has reached, or the given offset of the faulty value.
    [[noreturn]] void fail(const std::string& message) const;
    [[noreturn]] void failAt(std::size_t offset, const std::string& message) const;

    // From now on readDouble refuses a NaN or an infinity: for files of other
    // programs, whose values reach the dialogs and the models unchecked.
    void refuseNonFiniteNumbers() { m_finiteOnly = true; }

private:
    std::vector<std::uint8_t> m_data;
    std::size_t m_pos = 0;
    bool m_finiteOnly = false;
};

class ArchiveWriter {
public:
    void writeByte(std::uint8_t v);
    void writeWord(std::uint16_t v);
    void writeInt(std::int32_t v);
    void writeDouble(double v);
    // Encodes the UTF-8 text to CP1251 and writes it with its length prefix.
    // A character CP1251 cannot hold is written as '?', and the text is noted
    // in alteredTexts() so that the user can be told.
    void writeString(std::string_view utf8);
    void writeRawString(std::string_view bytes);
    void writeBytes(const std::uint8_t* p, std::size_t n);

    const std::vector<std::uint8_t>& bytes() const { return m_data; }
    std::vector<std::uint8_t> take() { return std::move(m_data); }
    std::size_t size() const { return m_data.size(); }
    // The texts written with '?' in place of characters CP1251 cannot hold,
    // each once, in the order written.
    const std::vector<std::string>& alteredTexts() const { return m_altered; }

private:
    std::vector<std::uint8_t> m_data;
    std::vector<std::string> m_altered;
};
