#include "platform/codepage.h"

#include <gtest/gtest.h>

namespace {

TEST(CodePage, AllBytesRoundTripThroughUtf8)
{
    std::string all;
    for (int i = 0; i < 256; ++i)
        all.push_back(static_cast<char>(i));
    EXPECT_EQ(Utf8ToCp1251(Cp1251ToUtf8(all)), all);
    EXPECT_EQ(Utf8ToCp866(Cp866ToUtf8(all)), all);
}

TEST(CodePage, KnownLetters)
{
    EXPECT_EQ(Utf8ToCp866("Опора"), "\x8E\xAF\xAE\xE0\xA0");
    EXPECT_EQ(Cp866ToUtf8("\x8E\xAF\xAE\xE0\xA0"), "Опора");
    EXPECT_EQ(Utf8ToCp1251("Ёё№"), "\xA8\xB8\xB9");
    EXPECT_EQ(Cp1251ToUtf8("\xC0\xFF"), "Ая");
    // The byte CP1251 leaves undefined keeps its value as U+0098.
    EXPECT_EQ(Cp1251ToUtf8("\x98"), "\xC2\x98");
}

TEST(CodePage, UnmappableCharactersBecomeQuestionMarks)
{
    EXPECT_EQ(Utf8ToCp1251("a\xE4\xB8\xAD" "b"), "a?b");
    // Broken UTF-8 never reads past the end.
    EXPECT_EQ(Utf8ToCp1251("\xD0"), "?");
    EXPECT_EQ(Utf8ToCp1251("x\xE2\x82"), "x??");
}

} // namespace
