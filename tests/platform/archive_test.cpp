#include "platform/archive.h"
#include "platform/codepage.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::uint8_t> Bytes(std::initializer_list<int> v)
{
    std::vector<std::uint8_t> b;
    for (int x : v)
        b.push_back(static_cast<std::uint8_t>(x));
    return b;
}

TEST(Archive, NumbersAreLittleEndian)
{
    ArchiveWriter w;
    w.writeByte(0xAB);
    w.writeWord(0x1234);
    w.writeInt(-2);
    w.writeDouble(1.5);
    EXPECT_EQ(w.bytes(), Bytes({0xAB, 0x34, 0x12, 0xFE, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0xF8, 0x3F}));
    ArchiveReader r(w.take());
    EXPECT_EQ(r.readByte(), 0xAB);
    EXPECT_EQ(r.readWord(), 0x1234);
    EXPECT_EQ(r.readInt(), -2);
    EXPECT_EQ(r.readDouble(), 1.5);
    EXPECT_TRUE(r.atEnd());
}

// Each length form at its boundaries: one byte below 255, 0xFF + W from 255 to
// 65533, 0xFF FFFF + D from 65534 on.
TEST(Archive, StringLengthForms)
{
    struct Case {
        std::size_t len;
        std::size_t prefix;
    };
    for (Case c : {Case{0, 1}, Case{254, 1}, Case{255, 3}, Case{65533, 3}, Case{65534, 7}, Case{70000, 7}}) {
        std::string s(c.len, 'x');
        ArchiveWriter w;
        w.writeString(s);
        ASSERT_EQ(w.size(), c.len + c.prefix) << c.len;
        if (c.prefix == 3) {
            EXPECT_EQ(w.bytes()[0], 0xFF);
            EXPECT_EQ(w.bytes()[1] | (w.bytes()[2] << 8), int(c.len));
        }
        if (c.prefix == 7) {
            EXPECT_EQ(w.bytes()[1], 0xFF);
            EXPECT_EQ(w.bytes()[2], 0xFF);
        }
        ArchiveReader r(w.take());
        EXPECT_EQ(r.readString(), s);
        EXPECT_TRUE(r.atEnd());
    }
}

TEST(Archive, StringsAreCp1251OnDisk)
{
    ArchiveWriter w;
    w.writeString("Опора");
    EXPECT_EQ(w.bytes(), Bytes({5, 0xCE, 0xEF, 0xEE, 0xF0, 0xE0}));
    ArchiveReader r(w.take());
    EXPECT_EQ(r.readString(), "Опора");
}

TEST(Archive, RefusesImpossibleLengths)
{
    // W 0xFFFE is none of the three forms.
    ArchiveReader bad(Bytes({0xFF, 0xFE, 0xFF, 'a'}));
    EXPECT_THROW(bad.readString(), ArchiveError);
    // A 4-byte length claiming 4 GiB in a short file.
    ArchiveReader huge(Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 'a'}));
    EXPECT_THROW(huge.readString(), ArchiveError);
    ArchiveReader shortOne(Bytes({5, 'a', 'b'}));
    EXPECT_THROW(shortOne.readString(), ArchiveError);
}

TEST(Archive, EveryPrefixOfAValidBufferThrowsCleanly)
{
    ArchiveWriter w;
    w.writeByte(7);
    w.writeString(std::string(300, 'q'));
    w.writeWord(9);
    w.writeString("Провод");
    w.writeInt(123456);
    w.writeDouble(-0.25);
    const auto full = w.take();
    auto readAll = [](ArchiveReader& r) {
        r.readByte();
        r.readString();
        r.readWord();
        r.readString();
        r.readInt();
        r.readDouble();
    };
    for (std::size_t n = 0; n < full.size(); ++n) {
        ArchiveReader r(full.data(), n);
        EXPECT_THROW(readAll(r), ArchiveError) << n;
    }
    ArchiveReader ok(full);
    EXPECT_NO_THROW(readAll(ok));
}

TEST(Archive, ErrorNamesWhatAndWhere)
{
    ArchiveReader r(Bytes({1, 2}));
    r.readByte();
    try {
        r.readInt("число проводов");
        FAIL();
    } catch (const ArchiveError& e) {
        EXPECT_STREQ(e.what(), "файл обрывается в поле «число проводов»: нужно 4 байт, осталось 1 (смещение 1)");
    }
}

TEST(Archive, CheckCountAgainstBytesLeft)
{
    ArchiveReader r(std::vector<std::uint8_t>(100));
    EXPECT_NO_THROW(r.checkCount(10, 10, "items"));
    EXPECT_THROW(r.checkCount(11, 10, "items"), ArchiveError);
    EXPECT_THROW(r.checkCount(0xFFFFFFFFull, 1, "items"), ArchiveError);
}

} // namespace
