#include "platform/codepage.h"
#include "platform/storedtext.h"

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

TEST(CodePage, TextTheFilesCannotHoldIsNamedCharacterByCharacter)
{
    // Within CP1251: Cyrillic, №, °, ±, «», the non-breaking space.
    EXPECT_EQ(CharsOutsideCp1251("Опора №1, 20° ±5 «А»\xC2\xA0"), U"");
    EXPECT_EQ(UnstorableTextMessage("ВЛ 110 кВ", "Название"), "");
    EXPECT_EQ(CharsOutsideCp1251("Опора² Опора³ ²"), U"²³");
    EXPECT_EQ(UnstorableTextMessage("ВЛ ×2", "Название задачи"),
              "Поле «Название задачи» содержит символ «×» (U+00D7), который нельзя сохранить в файле.\n"
              "Замените или удалите его.");
    EXPECT_EQ(UnstorableTextMessage("240 мм²\xE2\x80\x8B", "Название"),
              "Поле «Название» содержит символы «²» (U+00B2), «\xE2\x80\x8B» (U+200B), которые нельзя сохранить в "
              "файле.\nЗамените или удалите их.");
}

} // namespace
