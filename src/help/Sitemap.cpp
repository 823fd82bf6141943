#include "help/Sitemap.h"

#include "common/TextRules.h"
#include "common/Windows1252.h"
#include "help/HtmlReferences.h"
#include "help/HtmlTags.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace {

// The byte of a reference's body (between "&" and ";"), or nothing when it is none we know. A
// number the code page lacks reads as "?"; a name it lacks stays as written.
std::optional<unsigned char> ReferenceByte(std::string_view body)
{
    const std::optional<char32_t> character = HtmlReferenceCharacter(body);
    if (!character)
        return std::nullopt;
    const std::optional<unsigned char> byte = UnicodeToWindows1252(*character);
    if (!byte && body.starts_with('#'))
        return static_cast<unsigned char>('?');
    return byte;
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
        const std::size_t semicolon = text.substr(pos, MaxHtmlReferenceLength + 1).find(';');
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
