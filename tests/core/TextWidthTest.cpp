#include "core/ClientGlobal.h"
#include "core/TextWidth.h"

#include <gtest/gtest.h>

namespace {

// ASCII 6 wide, anything else 12, so results do not hang on a font.
float FakeMeasure(const std::string& ch, const std::string&, float size)
{
    return (static_cast<unsigned char>(ch[0]) < 0x80 ? 6.0f : 12.0f) * size / 12.0f;
}

}  // namespace

TEST(TextWidth, SplitTakesWholeCharactersOfEveryLength)
{
    // 'a' 1 byte, 'é' 2, '中' 3, '😀' 4.
    const std::string text = "a\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80z";
    auto s = textwidth::SplitByWidth(text, 0, 18, 12, "Arial", FakeMeasure);
    EXPECT_EQ(s.part, "a\xC3\xA9");  // 6 + 12 reaches 18
    EXPECT_EQ(s.end, 3);
    s = textwidth::SplitByWidth(text, s.end, 13, 12, "Arial", FakeMeasure);
    EXPECT_EQ(s.part, "\xE4\xB8\xAD\xF0\x9F\x98\x80");
    EXPECT_EQ(s.end, 10);
    s = textwidth::SplitByWidth(text, s.end, 1000, 12, "Arial", FakeMeasure);
    EXPECT_EQ(s.part, "z");
    EXPECT_EQ(s.end, 11);
}

TEST(TextWidth, SplitStaysInsideTheText)
{
    // Past the end: nothing, end = start.
    auto s = textwidth::SplitByWidth("abc", 3, 50, 12, "Arial", FakeMeasure);
    EXPECT_EQ(s.end, 3);
    EXPECT_EQ(s.part, "");
    s = textwidth::SplitByWidth("abc", 9, 50, 12, "Arial", FakeMeasure);
    EXPECT_EQ(s.end, 9);
    // A lead byte promising three bytes with one left: cut at the end.
    s = textwidth::SplitByWidth("ab\xE4\xB8", 0, 1000, 12, "Arial", FakeMeasure);
    EXPECT_EQ(s.end, 4);
    EXPECT_EQ(s.part, "ab\xE4\xB8");
    // A width of 0 still takes one character, so wrapping always advances.
    s = textwidth::SplitByWidth("abc", 0, 0, 12, "Arial", FakeMeasure);
    EXPECT_EQ(s.end, 1);
}

TEST(TextWidth, TruncateAppendsDotsOnlyWhenItCuts)
{
    EXPECT_EQ(textwidth::TruncateToWidth("abcdef", 12, 12, "Arial", FakeMeasure), "ab...");
    EXPECT_EQ(textwidth::TruncateToWidth("abcdef", 36, 12, "Arial", FakeMeasure), "abcdef");
    EXPECT_EQ(textwidth::TruncateToWidth("中文名字", 24, 12, "Arial", FakeMeasure), "中文...");
    EXPECT_EQ(textwidth::TruncateToWidth("", 10, 12, "Arial", FakeMeasure), "");
}

TEST(TextWidth, ClientObjectConvertsGbkAroundTheWalk)
{
    CClientGlobal::SetTextMeasure(nullptr);
    EXPECT_EQ(CClientGlobal::GetTextWidth("abc", 12), 0.0f);
    CClientGlobal::SetTextMeasure(&FakeMeasure);
    const std::string gbk = CClientGlobal::UTF8ToGBK("玩家昵称很长");
    EXPECT_EQ(CClientGlobal::TruncateTextToWidth(gbk, 36, 12, "Arial"), CClientGlobal::UTF8ToGBK("玩家昵..."));
    EXPECT_EQ(CClientGlobal::GetTextWidth(CClientGlobal::UTF8ToGBK("a"), 12), 6.0f);
    EXPECT_EQ(CClientGlobal::SplitTextByWidth("ab", 0, 100, 12, "Arial").end, 2);
    CClientGlobal::SetTextMeasure(nullptr);
}
