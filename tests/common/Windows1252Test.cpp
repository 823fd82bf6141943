#include "common/Windows1252.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace {

TEST(Windows1252Test, EveryByteSurvivesARoundTrip)
{
    for (int byte = 0; byte < 256; ++byte) {
        SCOPED_TRACE(byte);
        const char32_t character = Windows1252ToUnicode(static_cast<unsigned char>(byte));
        EXPECT_EQ(UnicodeToWindows1252(character), static_cast<unsigned char>(byte));
    }
}

TEST(Windows1252Test, MapsCharacters)
{
    struct TRow
    {
        const char* Name;
        unsigned char Byte;
        char32_t Character;
    };
    const std::vector<TRow> rows = {
        {"ASCII", 0x41, U'A'},
        {"NUL", 0x00, 0x0000},
        {"euro sign", 0x80, 0x20AC},
        {"unassigned 0x81", 0x81, 0x0081},
        {"unassigned 0x8D", 0x8D, 0x008D},
        {"unassigned 0x8F", 0x8F, 0x008F},
        {"unassigned 0x90", 0x90, 0x0090},
        {"unassigned 0x9D", 0x9D, 0x009D},
        {"S caron", 0x8A, 0x0160},
        {"right double quote", 0x94, 0x201D},
        {"Y diaeresis", 0x9F, 0x0178},
        {"no-break space", 0xA0, 0x00A0},
        {"e acute", 0xE9, 0x00E9},
        {"y diaeresis", 0xFF, 0x00FF},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        EXPECT_EQ(Windows1252ToUnicode(row.Byte), row.Character);
    }
}

TEST(Windows1252Test, CharactersOutsideTheCodePageHaveNoByte)
{
    // U+0080 and U+009F are C1 controls whose bytes stand for other characters here.
    for (const char32_t character : {char32_t(0x0080), char32_t(0x009F), char32_t(0x0100),
             char32_t(0x20AD), char32_t(0x4E2D), char32_t(0x1F600)}) {
        SCOPED_TRACE(static_cast<unsigned>(character));
        EXPECT_EQ(UnicodeToWindows1252(character), std::nullopt);
    }
}

TEST(Windows1252Test, MessagesGetUtf8)
{
    // One, two and three UTF-8 bytes; an unassigned byte keeps its control character.
    EXPECT_EQ(Utf8FromAnsi("Gr\xFCn \x80 \x81 a"), "Gr\xC3\xBCn \xE2\x82\xAC \xC2\x81 a");
    EXPECT_EQ(Utf8FromAnsi(""), "");
}

} // namespace
