#include "platform/archive.h"

#include <algorithm>

#include "platform/codepage.h"
#include "platform/savefile.h"

#include <bit>
#include <cmath>

ArchiveReader ArchiveReader::FromFile(const std::string& path, FileStamp* stamp)
{
    std::vector<std::uint8_t> bytes;
    std::string error;
    ReadDetails details;
    if (!ReadWholeFile(path, bytes, error, &details))
        throw FileReadError(error, details.reason);
    if (stamp)
        *stamp = std::move(details.stamp);
    return ArchiveReader(std::move(bytes));
}

void ArchiveReader::fail(const std::string& message) const
{
    failAt(m_pos, message);
}

void ArchiveReader::failAt(std::size_t offset, const std::string& message) const
{
    throw ArchiveError(message + " (смещение " + std::to_string(offset) + ")");
}

void ArchiveReader::need(std::size_t n, const char* what) const
{
    if (n > remaining())
        fail(std::string("файл обрывается в поле «") + what + "»: нужно " + std::to_string(n) +
             " байт, осталось " + std::to_string(remaining()));
}

void ArchiveReader::checkCount(std::uint64_t count, std::size_t minBytesEach, const char* what) const
{
    if (minBytesEach == 0)
        minBytesEach = 1;
    if (count > remaining() / minBytesEach)
        fail(std::string("число записей в поле «") + what + "» (" + std::to_string(count) +
             ") больше, чем помещается в остатке файла");
}

std::uint8_t ArchiveReader::readByte(const char* what)
{
    need(1, what);
    return m_data[m_pos++];
}

std::uint16_t ArchiveReader::readWord(const char* what)
{
    need(2, what);
    std::uint16_t v = std::uint16_t(m_data[m_pos] | (m_data[m_pos + 1] << 8));
    m_pos += 2;
    return v;
}

std::int32_t ArchiveReader::readInt(const char* what)
{
    need(4, what);
    std::uint32_t v = std::uint32_t(m_data[m_pos]) | (std::uint32_t(m_data[m_pos + 1]) << 8) |
                      (std::uint32_t(m_data[m_pos + 2]) << 16) | (std::uint32_t(m_data[m_pos + 3]) << 24);
    m_pos += 4;
    return static_cast<std::int32_t>(v);
}

double ArchiveReader::readDouble(const char* what)
{
    need(8, what);
    std::uint64_t v = 0;
    for (int i = 7; i >= 0; --i)
        v = (v << 8) | m_data[m_pos + i];
    const double value = std::bit_cast<double>(v);
    if (m_finiteOnly && !std::isfinite(value))
        fail(std::string("значение «") + what + "» не является конечным числом");
    m_pos += 8;
    return value;
}

std::string ArchiveReader::readRawString(const char* what)
{
    std::uint64_t len = readByte(what);
    if (len == 0xFF) {
        len = readWord(what);
        if (len == 0xFFFE)
            fail(std::string("неверная форма длины строки в поле «") + what + "»");
        if (len == 0xFFFF)
            len = static_cast<std::uint32_t>(readInt(what));
    }
    need(static_cast<std::size_t>(len), what);
    std::string s(reinterpret_cast<const char*>(m_data.data() + m_pos), static_cast<std::size_t>(len));
    m_pos += static_cast<std::size_t>(len);
    return s;
}

std::string ArchiveReader::readString(const char* what)
{
    return Cp1251ToUtf8(readRawString(what));
}

std::vector<std::uint8_t> ArchiveReader::readBytes(std::size_t n, const char* what)
{
    need(n, what);
    std::vector<std::uint8_t> v(m_data.begin() + static_cast<std::ptrdiff_t>(m_pos),
                                m_data.begin() + static_cast<std::ptrdiff_t>(m_pos + n));
    m_pos += n;
    return v;
}

void ArchiveWriter::writeByte(std::uint8_t v)
{
    m_data.push_back(v);
}

void ArchiveWriter::writeWord(std::uint16_t v)
{
    m_data.push_back(std::uint8_t(v & 0xFF));
    m_data.push_back(std::uint8_t(v >> 8));
}

void ArchiveWriter::writeInt(std::int32_t v)
{
    std::uint32_t u = static_cast<std::uint32_t>(v);
    for (int i = 0; i < 4; ++i)
        m_data.push_back(std::uint8_t((u >> (8 * i)) & 0xFF));
}

void ArchiveWriter::writeDouble(double v)
{
    std::uint64_t u = std::bit_cast<std::uint64_t>(v);
    for (int i = 0; i < 8; ++i)
        m_data.push_back(std::uint8_t((u >> (8 * i)) & 0xFF));
}

void ArchiveWriter::writeRawString(std::string_view bytes)
{
    std::size_t len = bytes.size();
    if (len < 0xFF) {
        writeByte(std::uint8_t(len));
    } else if (len < 0xFFFE) {
        writeByte(0xFF);
        writeWord(std::uint16_t(len));
    } else {
        writeByte(0xFF);
        writeWord(0xFFFF);
        writeInt(static_cast<std::int32_t>(static_cast<std::uint32_t>(len)));
    }
    writeBytes(reinterpret_cast<const std::uint8_t*>(bytes.data()), len);
}

void ArchiveWriter::writeString(std::string_view utf8)
{
    std::string bytes = Utf8ToCp1251(utf8);
    // Only a text whose encoding holds a '?' can have lost a character.
    if (bytes.find('?') != std::string::npos && !CharsOutsideCp1251(utf8).empty() &&
        std::find(m_altered.begin(), m_altered.end(), utf8) == m_altered.end())
        m_altered.emplace_back(utf8);
    writeRawString(bytes);
}

void ArchiveWriter::writeBytes(const std::uint8_t* p, std::size_t n)
{
    m_data.insert(m_data.end(), p, p + n);
}
