#include "hierarchy/scan_reader.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

using namespace varnoke;
using namespace std::string_literals;

TEST(ScanReader, WhiteSpaceIsTheCLibrarysSixCharactersOnly)
{
    for (int byte = 0; byte < 256; ++byte) {
        const bool expected = byte == ' ' || (byte >= 9 && byte <= 13);
        EXPECT_EQ(IsWhiteSpace(static_cast<char>(byte)), expected) << byte;
        EXPECT_EQ(IsDigit(static_cast<char>(byte)), byte >= '0' && byte <= '9') << byte;
    }
}

TEST(ScanReader, ReadsIntegersLikePercentD)
{
    struct Case {
        std::string text;
        bool read;
        int value;
        std::size_t end;
    };
    const Case cases[] = {
        { " \t\v\f\r\n42 hip", true, 42, 8 },
        { "+7x", true, 7, 2 },
        { "-7", true, -7, 2 },
        { "007", true, 7, 3 },
        { "12abc", true, 12, 2 },
        { "+", false, 0, 0 },
        { "- 3", false, 0, 0 },
        { "x12", false, 0, 0 },
        { "", false, 0, 0 },
        { "\xA0"
          "5",
          false, 0, 0 },
    };
    for (const Case& c : cases) {
        ScanReader reader(c.text);
        int value = -99;
        EXPECT_EQ(reader.ReadInt(value), c.read) << c.text;
        if (c.read) {
            EXPECT_EQ(value, c.value) << c.text;
            EXPECT_EQ(reader.Position(), c.end) << c.text;
        }
    }
}

TEST(ScanReader, NumbersBeyondIntAreClampedNotWrapped)
{
    // 2^32 + 1 would read as 1 if the value wrapped, and 2^32 as 0.
    EXPECT_EQ(LeadingNumber("4294967297 hip yzx"), INT_MAX);
    EXPECT_EQ(LeadingNumber("4294967296"), INT_MAX);
    EXPECT_EQ(LeadingNumber("-4294967295"), INT_MIN);
    EXPECT_EQ(LeadingNumber("2147483647"), INT_MAX);
    EXPECT_EQ(LeadingNumber("2147483648"), INT_MAX);
    EXPECT_EQ(LeadingNumber("-2147483648"), INT_MIN);
    EXPECT_EQ(LeadingNumber("-2147483649"), INT_MIN);
    EXPECT_EQ(LeadingNumber(std::string(5000, '9') + " x"), INT_MAX);

    // The whole run of digits is consumed, so the next field starts after it.
    const std::string text = std::string(40, '9') + "hip";
    ScanReader reader(text);
    int value = 0;
    std::string word;
    ASSERT_TRUE(reader.ReadInt(value));
    ASSERT_TRUE(reader.ReadWord(99, word));
    EXPECT_EQ(word, "hip");
}

TEST(ScanReader, LeadingNumberIsZeroWithoutDigits)
{
    EXPECT_EQ(LeadingNumber(""), 0);
    EXPECT_EQ(LeadingNumber("hip 1"), 0);
    EXPECT_EQ(LeadingNumber("#12"), 0);
    EXPECT_EQ(LeadingNumber("  -3 hip"), -3);
}

TEST(ScanReader, OverlongWordsRunOnIntoTheNextField)
{
    ScanReader reader("abcdefg\thi");
    std::string word;
    ASSERT_TRUE(reader.ReadWord(3, word));
    EXPECT_EQ(word, "abc");
    ASSERT_TRUE(reader.ReadWord(3, word));
    EXPECT_EQ(word, "def");
    ASSERT_TRUE(reader.ReadWord(3, word));
    EXPECT_EQ(word, "g");
    ASSERT_TRUE(reader.ReadWord(3, word));
    EXPECT_EQ(word, "hi");
    EXPECT_FALSE(reader.ReadWord(3, word));
}

TEST(ScanReader, WordsHoldHighBytesAndStopAtWhiteSpaceOnly)
{
    ScanReader reader("\xE9paule\xA0x\vnext");
    std::string word;
    ASSERT_TRUE(reader.ReadWord(99, word));
    EXPECT_EQ(word, "\xE9paule\xA0x");
    ASSERT_TRUE(reader.ReadWord(99, word));
    EXPECT_EQ(word, "next");
}

TEST(ScanReader, ReadingStopsAtANulByteAsInACString)
{
    const std::string text = "12\0 hip"s; // the reader only views it
    ScanReader reader(text);
    int value = 0;
    std::string word;
    ASSERT_TRUE(reader.ReadInt(value));
    EXPECT_EQ(value, 12);
    EXPECT_FALSE(reader.ReadWord(99, word));
    EXPECT_EQ(LeadingNumber("\0"
                            "5"s),
              0);
}
