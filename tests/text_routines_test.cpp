#include "core/text_routines.h"

#include <gtest/gtest.h>

#include "tests/allocation_log.h"

#include <limits>
#include <string>

namespace {

std::string S(const Text& text) { return std::string(text.View()); }

TEST(TextValue, LiteralsAreGbkBytes) {
  const Text marker = "【dez开始】"_t;
  EXPECT_EQ(S(marker), "\xA1\xBE" "dez" "\xBF\xAA\xCA\xBC" "\xA1\xBF");
  EXPECT_EQ(S("请输入播放地址"_t).substr(0, 2), "\xC7\xEB");
}

TEST(TextValue, EmptyAbsentAndConstantsBehaveAlike) {
  const Text absent;
  EXPECT_FALSE(absent.HasStorage());
  EXPECT_STREQ(absent.CString(), "");
  EXPECT_FALSE(Text(std::string_view()).HasStorage());  // an empty result needs no storage
  EXPECT_EQ(Text(std::string_view("ab\0cd", 5)).Length(), 2);  // never a NUL inside

  const Text constant = "abc"_t;
  const Text copy = constant;  // a constant is shared, not copied
  EXPECT_EQ(copy.CString(), constant.CString());
  EXPECT_TRUE(copy.IsConstant());

  Text owned("xyz");
  Text ownedCopy = owned;
  EXPECT_NE(ownedCopy.CString(), owned.CString());
  owned = ownedCopy;  // new value first, then the old one goes
  EXPECT_EQ(S(owned), "xyz");
  owned = owned;
  EXPECT_EQ(S(owned), "xyz");
  owned = Text();  // releasing to absent
  EXPECT_EQ(owned.Length(), 0);
}

TEST(BytesValue, HoldsNulsAndSharesConstants) {
  const Bytes block(std::string_view("a\0b", 3));
  EXPECT_EQ(block.Length(), 3);
  const Bytes copy = block;
  EXPECT_EQ(copy.View(), block.View());
  EXPECT_NE(copy.Data(), block.Data());
  static const unsigned char kData[] = {1, 0, 2};
  const Bytes constant = Bytes::Constant(kData, sizeof kData);
  EXPECT_EQ(Bytes(constant).Data(), kData);
  EXPECT_EQ(Bytes().Length(), 0);
}

TEST(JoinTexts, JoinsInOrderIntoNewStorage) {
  const Text absent;
  const Text joinedEmpty = JoinTexts(absent, absent);
  EXPECT_TRUE(joinedEmpty.HasStorage());
  EXPECT_FALSE(joinedEmpty.IsConstant());
  EXPECT_EQ(joinedEmpty.Length(), 0);
  EXPECT_EQ(S(JoinTexts("ab"_t, "cd"_t)), "abcd");
  EXPECT_EQ(S(JoinTexts("http://h/?url="_t, Text("a b?c&d#e"), absent, "通道"_t)),
            "http://h/?url=a b?c&d#e\xCD\xA8\xB5\xC0");
  EXPECT_EQ(S(JoinTexts("x"_t)), "x");
}

TEST(JoinTexts, AllocatesOnceWhateverTheCount) {
  const Text a("first"), b("second"), c("third");
  allocation_log::Start();
  const Text joined = JoinTexts(a, b, c, a, "literal"_t);
  allocation_log::Stop();
  EXPECT_EQ(allocation_log::Allocations(), 1);
  EXPECT_EQ(S(joined), "firstsecondthirdfirstliteral");
}

TEST(CompareTexts, OrdersBytewiseUnsigned) {
  struct Case {
    Text a, b;
    int expected;
  };
  const Case cases[] = {
      {Text(), ""_t, 0},
      {""_t, Text(), 0},
      {Text(), "a"_t, -1},
      {"a"_t, Text(), 1},
      {"ab"_t, "abc"_t, -1},
      {"abc"_t, "ab"_t, 1},
      {"abc"_t, "abc"_t, 0},
      {Text("\x80"), "z"_t, 1},
      {"2.5"_t, "2.5 "_t, -1},
      {"a"_t, "A"_t, 1},  // no case folding
      {"2.5"_t, "2.5"_t, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CompareTexts(c.a, c.b), c.expected) << "'" << S(c.a) << "' vs '" << S(c.b) << "'";
  }
}

TEST(TextByteLength, CountsBytes) {
  EXPECT_EQ(TextByteLength(Text()), 0);
  EXPECT_EQ(TextByteLength("abc"_t), 3);
  EXPECT_EQ(TextByteLength("通道"_t), 4);
}

TEST(TruncateTowardZero, CutsTheFraction) {
  EXPECT_EQ(TruncateTowardZero(2.9), 2);
  EXPECT_EQ(TruncateTowardZero(-2.9), -2);
  EXPECT_EQ(TruncateTowardZero(1128.0 - 400.0), 728);
  EXPECT_EQ(TruncateTowardZero(-0.5), 0);
  // No undefined conversion outside the range.
  EXPECT_EQ(TruncateTowardZero(1e300), std::numeric_limits<std::int64_t>::max());
  EXPECT_EQ(TruncateTowardZero(-1e300), std::numeric_limits<std::int64_t>::min());
  EXPECT_EQ(TruncateTowardZero(std::numeric_limits<double>::quiet_NaN()), 0);
}

TEST(SearchText, FindsOnCharacterBoundaries) {
  struct Case {
    Text text, sought;
    std::optional<std::int32_t> start;
    bool ignoreCase;
    std::int32_t expected;
  };
  const Case cases[] = {
      {"abc"_t, ""_t, std::nullopt, false, 1},
      {"abc"_t, ""_t, 3, false, 1},  // position 1 whatever the start
      {""_t, ""_t, std::nullopt, false, -1},
      {"abc"_t, ""_t, 4, false, -1},
      {"abc"_t, "c"_t, 4, false, -1},  // start beyond the text
      {"abcb"_t, "b"_t, 3, false, 4},  // counted from the whole text
      {"abc"_t, "B"_t, std::nullopt, true, 2},
      {"abc"_t, "B"_t, std::nullopt, false, -1},
      {"abc"_t, "a"_t, 0, false, 1},
      {"abc"_t, "a"_t, 1, false, 1},
      {"abc"_t, "a"_t, -7, false, 1},
      {Text("\xB1\x41"), "A"_t, std::nullopt, false, -1},  // a trail byte is no character
      {Text("\xB1\x41" "A"), "A"_t, std::nullopt, false, 3},
      {Text("x\xB1"), "q"_t, std::nullopt, false, -1},  // lead byte at the end
      {"【dez开始】2.5"_t, "【DEZ开始】"_t, 0, true, 1},
      {"ab"_t, "abc"_t, std::nullopt, false, -1},
      {"aXbxc"_t, "xC"_t, std::nullopt, true, 4},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SearchText(c.text, c.sought, c.start, c.ignoreCase), c.expected)
        << "'" << S(c.sought) << "' in '" << S(c.text) << "'";
  }
}

TEST(ReplaceText, ReplacesEveryOccurrenceLeftToRight) {
  struct Case {
    Text text, sought, replacement;
    std::string expected;
  };
  const Case cases[] = {
      {"href=#引号"_t, "#引号"_t, "\""_t, "href=\""},
      {"#引号x#引号"_t, "#引号"_t, "\""_t, "\"x\""},
      {"aaa"_t, "aa"_t, "b"_t, "ba"},  // never overlapping
      {""_t, "a"_t, "b"_t, ""},
      {"abc"_t, ""_t, "x"_t, "abc"},
      {"abc"_t, "B"_t, "x"_t, "abc"},  // case-sensitive
      {Text("\xB1\x41" "A"), "A"_t, "z"_t, "\xB1\x41z"},  // steps over characters
      {"abab"_t, "b"_t, ""_t, "aa"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(S(ReplaceText(c.text, c.sought, c.replacement, std::nullopt, std::nullopt, true)),
              c.expected);
  }
  EXPECT_FALSE(ReplaceText("ab"_t, "ab"_t, ""_t, std::nullopt, std::nullopt, true).HasStorage());
  // Forms the program does not use still behave sensibly.
  EXPECT_EQ(S(ReplaceText("aXaxa"_t, "x"_t, "-"_t, std::nullopt, std::nullopt, false)), "a-a-a");
  EXPECT_EQ(S(ReplaceText("aaaa"_t, "a"_t, "b"_t, 2, 2, true)), "abba");
}

TEST(LeftAndRightPart, CountBytes) {
  EXPECT_EQ(S(LeftPart("abc"_t, 0)), "");
  EXPECT_EQ(S(LeftPart("abc"_t, 5)), "abc");
  EXPECT_EQ(S(LeftPart("abc"_t, 2)), "ab");
  EXPECT_EQ(S(LeftPart("abc"_t, -3)), "");
  EXPECT_EQ(S(RightPart("abc"_t, 2)), "bc");
  EXPECT_EQ(S(RightPart("abc"_t, -1)), "");
  EXPECT_EQ(S(RightPart("abc"_t, 9)), "abc");
  EXPECT_EQ(S(RightPart(Text(), 2)), "");
  EXPECT_EQ(S(LeftPart("通道"_t, 1)), "\xCD");  // may cut a character in two
}

TEST(TextFromBytes, StopsAtTheFirstNul) {
  EXPECT_EQ(S(TextFromBytes(Bytes(std::string_view("ab\0c", 4)))), "ab");
  EXPECT_FALSE(TextFromBytes(Bytes()).HasStorage());
  EXPECT_EQ(S(TextFromBytes(Bytes(std::string_view("\xEF\xBB\xBFx\r\n")))), "\xEF\xBB\xBFx\r\n");
  EXPECT_FALSE(TextFromBytes(Bytes(std::string_view("\0ab", 3))).HasStorage());
}

}  // namespace
