#include "help/Sitemap.h"

#include "common/TextRules.h"
#include "common/Windows1252.h"
#include "help/HtmlTags.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <utility>

namespace {

// The named references of HTML 4 that Windows-1252 can hold: the markup ones, the Latin-1 ones
// (0xA0 to 0xFF) and those of the code page's own 0x80 to 0x9F range.
constexpr std::array<std::pair<std::string_view, unsigned char>, 128> NamedReferences {{
    {"quot", 0x22},
    {"amp", 0x26},
    {"apos", 0x27},
    {"lt", 0x3C},
    {"gt", 0x3E},
    {"euro", 0x80},
    {"sbquo", 0x82},
    {"fnof", 0x83},
    {"bdquo", 0x84},
    {"hellip", 0x85},
    {"dagger", 0x86},
    {"Dagger", 0x87},
    {"circ", 0x88},
    {"permil", 0x89},
    {"Scaron", 0x8A},
    {"lsaquo", 0x8B},
    {"OElig", 0x8C},
    {"Zcaron", 0x8E},
    {"lsquo", 0x91},
    {"rsquo", 0x92},
    {"ldquo", 0x93},
    {"rdquo", 0x94},
    {"bull", 0x95},
    {"ndash", 0x96},
    {"mdash", 0x97},
    {"tilde", 0x98},
    {"trade", 0x99},
    {"scaron", 0x9A},
    {"rsaquo", 0x9B},
    {"oelig", 0x9C},
    {"zcaron", 0x9E},
    {"Yuml", 0x9F},
    {"nbsp", 0xA0},
    {"iexcl", 0xA1},
    {"cent", 0xA2},
    {"pound", 0xA3},
    {"curren", 0xA4},
    {"yen", 0xA5},
    {"brvbar", 0xA6},
    {"sect", 0xA7},
    {"uml", 0xA8},
    {"copy", 0xA9},
    {"ordf", 0xAA},
    {"laquo", 0xAB},
    {"not", 0xAC},
    {"shy", 0xAD},
    {"reg", 0xAE},
    {"macr", 0xAF},
    {"deg", 0xB0},
    {"plusmn", 0xB1},
    {"sup2", 0xB2},
    {"sup3", 0xB3},
    {"acute", 0xB4},
    {"micro", 0xB5},
    {"para", 0xB6},
    {"middot", 0xB7},
    {"cedil", 0xB8},
    {"sup1", 0xB9},
    {"ordm", 0xBA},
    {"raquo", 0xBB},
    {"frac14", 0xBC},
    {"frac12", 0xBD},
    {"frac34", 0xBE},
    {"iquest", 0xBF},
    {"Agrave", 0xC0},
    {"Aacute", 0xC1},
    {"Acirc", 0xC2},
    {"Atilde", 0xC3},
    {"Auml", 0xC4},
    {"Aring", 0xC5},
    {"AElig", 0xC6},
    {"Ccedil", 0xC7},
    {"Egrave", 0xC8},
    {"Eacute", 0xC9},
    {"Ecirc", 0xCA},
    {"Euml", 0xCB},
    {"Igrave", 0xCC},
    {"Iacute", 0xCD},
    {"Icirc", 0xCE},
    {"Iuml", 0xCF},
    {"ETH", 0xD0},
    {"Ntilde", 0xD1},
    {"Ograve", 0xD2},
    {"Oacute", 0xD3},
    {"Ocirc", 0xD4},
    {"Otilde", 0xD5},
    {"Ouml", 0xD6},
    {"times", 0xD7},
    {"Oslash", 0xD8},
    {"Ugrave", 0xD9},
    {"Uacute", 0xDA},
    {"Ucirc", 0xDB},
    {"Uuml", 0xDC},
    {"Yacute", 0xDD},
    {"THORN", 0xDE},
    {"szlig", 0xDF},
    {"agrave", 0xE0},
    {"aacute", 0xE1},
    {"acirc", 0xE2},
    {"atilde", 0xE3},
    {"auml", 0xE4},
    {"aring", 0xE5},
    {"aelig", 0xE6},
    {"ccedil", 0xE7},
    {"egrave", 0xE8},
    {"eacute", 0xE9},
    {"ecirc", 0xEA},
    {"euml", 0xEB},
    {"igrave", 0xEC},
    {"iacute", 0xED},
    {"icirc", 0xEE},
    {"iuml", 0xEF},
    {"eth", 0xF0},
    {"ntilde", 0xF1},
    {"ograve", 0xF2},
    {"oacute", 0xF3},
    {"ocirc", 0xF4},
    {"otilde", 0xF5},
    {"ouml", 0xF6},
    {"divide", 0xF7},
    {"oslash", 0xF8},
    {"ugrave", 0xF9},
    {"uacute", 0xFA},
    {"ucirc", 0xFB},
    {"uuml", 0xFC},
    {"yacute", 0xFD},
    {"thorn", 0xFE},
    {"yuml", 0xFF},
}};

constexpr std::size_t MaxReferenceLength = 8; // "#x10FFFF", "hellip"

bool IsAsciiDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsHexDigit(char c)
{
    return IsAsciiDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

int HexValue(char c)
{
    if (IsAsciiDigit(c))
        return c - '0';
    return AsciiLower(c) - 'a' + 10;
}

// The byte of a reference's body (between "&" and ";"), or nothing when it is none we know.
std::optional<unsigned char> ReferenceByte(std::string_view body)
{
    if (body.empty())
        return std::nullopt;
    if (body.size() >= 2 && body[0] == '#') {
        const bool hexadecimal = body[1] == 'x' || body[1] == 'X';
        const std::string_view digits = body.substr(hexadecimal ? 2 : 1);
        if (digits.empty())
            return std::nullopt;
        std::uint32_t code = 0;
        for (const char c : digits) {
            if (hexadecimal ? !IsHexDigit(c) : !IsAsciiDigit(c))
                return std::nullopt;
            code = code * (hexadecimal ? 16 : 10) + static_cast<std::uint32_t>(HexValue(c));
        }
        // NUL and surrogates are no characters; the length limit keeps the number small.
        if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return static_cast<unsigned char>('?');
        return UnicodeToWindows1252(static_cast<char32_t>(code))
            .value_or(static_cast<unsigned char>('?'));
    }
    for (const auto& [name, byte] : NamedReferences) {
        if (name == body)
            return byte;
    }
    return std::nullopt;
}

// A tag's attributes, read one at a time.
struct TAttribute
{
    std::string_view Name;
    std::string_view Value;
};

class TTagReader
{
public:
    // The text from just after the tag's name to its closing ">" (or the end of the input).
    explicit TTagReader(std::string_view attributes)
        : FRest(attributes)
    { }

    std::optional<TAttribute> Next()
    {
        SkipBlanks();
        std::size_t length = 0;
        while (length < FRest.size() && !IsBlank(FRest[length]) && FRest[length] != '='
            && FRest[length] != '/')
            ++length;
        if (length == 0) {
            if (FRest.empty())
                return std::nullopt;
            FRest.remove_prefix(1); // a stray "/" or "="
            return TAttribute {};
        }
        TAttribute attribute {FRest.substr(0, length), {}};
        FRest.remove_prefix(length);
        SkipBlanks();
        if (FRest.empty() || FRest.front() != '=')
            return attribute;
        FRest.remove_prefix(1);
        SkipBlanks();
        if (!FRest.empty() && (FRest.front() == '"' || FRest.front() == '\'')) {
            const char quote = FRest.front();
            FRest.remove_prefix(1);
            const std::size_t end = FRest.find(quote);
            attribute.Value = FRest.substr(0, end);
            FRest.remove_prefix(end == std::string_view::npos ? FRest.size() : end + 1);
        } else {
            std::size_t end = 0;
            while (end < FRest.size() && !IsBlank(FRest[end]))
                ++end;
            attribute.Value = FRest.substr(0, end);
            FRest.remove_prefix(end);
        }
        return attribute;
    }

private:
    static bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }
    void SkipBlanks()
    {
        while (!FRest.empty() && IsBlank(FRest.front()))
            FRest.remove_prefix(1);
    }

    std::string_view FRest;
};

std::optional<std::string_view> AttributeValue(std::string_view attributes, std::string_view name)
{
    TTagReader reader(attributes);
    while (const auto attribute = reader.Next()) {
        if (SameTextAscii(attribute->Name, name))
            return attribute->Value;
    }
    return std::nullopt;
}

} // namespace

TAnsiString DecodeCharacterReferences(std::string_view text)
{
    TAnsiString decoded;
    decoded.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t amp = text.find('&', pos);
        decoded.append(text.substr(pos, amp - pos));
        if (amp == std::string_view::npos)
            break;
        pos = amp + 1;
        const std::size_t semicolon = text.substr(pos, MaxReferenceLength + 1).find(';');
        if (semicolon != std::string_view::npos) {
            if (const auto byte = ReferenceByte(text.substr(pos, semicolon))) {
                decoded += static_cast<char>(*byte);
                pos += semicolon + 1;
                continue;
            }
        }
        decoded += '&';
    }
    return decoded;
}

std::vector<TSitemapItem> ParseSitemap(std::string_view html)
{
    std::vector<TSitemapItem> items;
    int listDepth = 0; // open <UL> lists
    TSitemapItem pending;
    bool inItem = false; // inside a sitemap object
    bool haveName = false;
    bool haveLocal = false;

    auto finish = [&] {
        if (inItem && (!pending.Name.empty() || !pending.Local.empty()))
            items.push_back(std::move(pending));
        pending = TSitemapItem {};
        inItem = false;
    };

    std::size_t pos = 0;
    while (const auto tag = NextHtmlTag(html, pos)) {
        if (SameTextAscii(tag->Name, "ul")) {
            finish();
            listDepth = tag->Closing ? std::max(listDepth - 1, 0) : listDepth + 1;
        } else if (SameTextAscii(tag->Name, "li")) {
            finish();
        } else if (SameTextAscii(tag->Name, "object")) {
            finish();
            if (tag->Closing)
                continue;
            const auto type = AttributeValue(tag->Attributes, "type");
            // Other objects ("text/site properties") carry settings, not items.
            if (type && SameTextAscii(TrimControls(*type), "text/sitemap")) {
                pending.Depth = std::clamp(listDepth - 1, 0, MaxSitemapDepth);
                inItem = true;
                haveName = haveLocal = false;
            }
        } else if (SameTextAscii(tag->Name, "param") && inItem) {
            const auto name = AttributeValue(tag->Attributes, "name");
            const auto value = AttributeValue(tag->Attributes, "value");
            if (!name || !value)
                continue;
            if (!haveName && SameTextAscii(TrimControls(*name), "Name")) {
                pending.Name = DecodeCharacterReferences(*value);
                haveName = true;
            } else if (!haveLocal && SameTextAscii(TrimControls(*name), "Local")) {
                pending.Local = DecodeCharacterReferences(*value);
                haveLocal = true;
            }
        }
    }
    finish();
    return items;
}
