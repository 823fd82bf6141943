#include "common/TextFold.h"

#include <array>
#include <string_view>

namespace {

using TFoldTable = std::array<std::string, 256>;

// What each byte folds to. Windows-1252 holds the accented letters of Western European languages
// at 0xC0-0xFF in the order of Latin-1, the capitals 32 below their small letters, and a few
// more (Š, Œ, Ž, Ÿ, ƒ) at 0x80-0x9F.
TFoldTable MakeFoldTable()
{
    TFoldTable table;
    for (std::size_t i = 0; i < table.size(); ++i)
        table[i] = std::string(1, char(i));
    for (char c = 'A'; c <= 'Z'; ++c)
        table[std::size_t(c)] = std::string(1, char(c - 'A' + 'a'));
    // "-" marks the bytes of the two ranges that are not letters with a base letter (× and ÷)
    // or that are spelled out below.
    constexpr std::string_view Latin1 = "aaaaaa-ceeeeiiii-nooooo--uuuuy--";
    static_assert(Latin1.size() == 32);
    for (std::size_t i = 0; i < 32; ++i) {
        if (Latin1[i] == '-')
            continue;
        table[0xC0 + i] = table[0xE0 + i] = std::string(1, Latin1[i]);
    }
    table[0xC6] = table[0xE6] = "ae";
    table[0xD0] = table[0xF0] = "d";
    table[0xD8] = table[0xF8] = "o";
    table[0xDE] = table[0xFE] = "th";
    table[0xDF] = "ss";
    table[0xFF] = table[0x9F] = "y";
    table[0x8A] = table[0x9A] = "s";
    table[0x8C] = table[0x9C] = "oe";
    table[0x8E] = table[0x9E] = "z";
    table[0x83] = "f";
    return table;
}

TFoldTable MakeSpelledOutTable()
{
    TFoldTable table = MakeFoldTable();
    table[0xC4] = table[0xE4] = "ae";
    table[0xD6] = table[0xF6] = "oe";
    table[0xDC] = table[0xFC] = "ue";
    return table;
}

std::string Folded(TAnsiView text, const TFoldTable& table)
{
    std::string folded;
    folded.reserve(text.size());
    for (const char c : text)
        folded += table[static_cast<unsigned char>(c)];
    return folded;
}

} // namespace

std::string FoldForSearch(TAnsiView text)
{
    static const TFoldTable table = MakeFoldTable();
    return Folded(text, table);
}

std::string FoldForSearchSpelledOut(TAnsiView text)
{
    static const TFoldTable table = MakeSpelledOutTable();
    return Folded(text, table);
}
