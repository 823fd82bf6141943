#include "preview/IntendedPairs.h"

#include "common/Error.h"
#include "common/ProfileFile.h"
#include "common/TextRules.h"

#include <algorithm>
#include <charconv>
#include <exception>
#include <optional>
#include <system_error>

namespace fs = std::filesystem;

namespace {

TIntendedPairs::TPair Ordered(std::size_t first, std::size_t second)
{
    return first < second ? TIntendedPairs::TPair(std::uint32_t(first), std::uint32_t(second))
                          : TIntendedPairs::TPair(std::uint32_t(second), std::uint32_t(first));
}

// An item number from 1 as the text gives it: digits only, within the items a cell can name.
std::optional<std::uint32_t> ItemOfNumber(std::string_view text)
{
    std::uint32_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size() || number == 0)
        return std::nullopt;
    return number - 1;
}

// One value of a profile file holds at most 2047 bytes; the marks are split well below that, at
// a blank between two pairs.
constexpr std::size_t ChunkLength = 2000;

std::vector<std::string> Chunks(const std::string& text)
{
    std::vector<std::string> chunks;
    std::size_t begin = 0;
    while (begin < text.size()) {
        std::size_t end = text.size();
        if (end - begin > ChunkLength) {
            end = text.rfind(' ', begin + ChunkLength);
            if (end == std::string::npos || end <= begin)
                end = std::min(text.size(), begin + ChunkLength);
        }
        chunks.push_back(text.substr(begin, end - begin));
        begin = end;
        while (begin < text.size() && text[begin] == ' ')
            ++begin;
    }
    return chunks;
}

std::string PreviewKey(std::size_t slot)
{
    return "Preview" + std::to_string(slot);
}

std::string PairsKey(std::size_t slot, std::size_t chunk)
{
    return "Pairs" + std::to_string(slot) + (chunk == 1 ? "" : "." + std::to_string(chunk));
}

// The profile functions trim blanks around a value and cannot hold a line break in one.
bool FitsProfileValue(std::string_view path)
{
    const auto blank
        = [](char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1A'; };
    return !path.empty() && path.find_first_of("\r\n") == std::string_view::npos
        && !blank(path.back());
}

// What the settings file holds for a preview: its slot (0 when it has none yet, with the slot a
// new one would take) and the texts of its chunks.
struct TSlot
{
    std::size_t Number = 0;
    std::size_t Next = 1;
    std::vector<std::string> Chunks;
};

TSlot FindSlot(const TProfileFile& settings, const std::string& key)
{
    TSlot slot;
    constexpr char Missing[] = "\x01";
    for (std::size_t number = 1;; ++number) {
        const std::string named
            = settings.ReadString(IntendedPairsSection, PreviewKey(number), Missing);
        if (named == Missing) {
            slot.Next = number;
            return slot;
        }
        if (named != key)
            continue;
        slot.Number = number;
        for (std::size_t chunk = 1;; ++chunk) {
            std::string text
                = settings.ReadString(IntendedPairsSection, PairsKey(number, chunk), "");
            if (text.empty())
                break;
            slot.Chunks.push_back(std::move(text));
        }
        return slot;
    }
}

} // namespace

TIntendedPairs::TIntendedPairs(std::span<const TPair> pairs)
{
    for (const auto& [first, second] : pairs)
        if (first != second)
            FPairs.push_back(Ordered(first, second));
    std::sort(FPairs.begin(), FPairs.end());
    FPairs.erase(std::unique(FPairs.begin(), FPairs.end()), FPairs.end());
}

bool TIntendedPairs::Contains(std::size_t first, std::size_t second) const
{
    if (first > UINT32_MAX || second > UINT32_MAX)
        return false;
    return std::binary_search(FPairs.begin(), FPairs.end(), Ordered(first, second));
}

bool TIntendedPairs::Set(std::size_t first, std::size_t second, bool intended)
{
    if (first == second || first > UINT32_MAX || second > UINT32_MAX)
        return false;
    const TPair pair = Ordered(first, second);
    const auto at = std::lower_bound(FPairs.begin(), FPairs.end(), pair);
    const bool present = at != FPairs.end() && *at == pair;
    if (present == intended)
        return false;
    if (intended)
        FPairs.insert(at, pair);
    else
        FPairs.erase(at);
    return true;
}

std::string IntendedPairsText(const TIntendedPairs& pairs)
{
    std::string text;
    for (const auto& [first, second] : pairs.Pairs()) {
        if (!text.empty())
            text += ' ';
        text += std::to_string(std::uint64_t(first) + 1) + '-'
            + std::to_string(std::uint64_t(second) + 1);
    }
    return text;
}

TIntendedPairs ParseIntendedPairs(std::string_view text)
{
    std::vector<TIntendedPairs::TPair> pairs;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = std::min(text.find(' ', at), text.size());
        const std::string_view token = text.substr(at, end - at);
        at = end + 1;
        const std::size_t dash = token.find('-');
        if (dash == std::string_view::npos)
            continue;
        const auto first = ItemOfNumber(token.substr(0, dash));
        const auto second = ItemOfNumber(token.substr(dash + 1));
        if (first && second)
            pairs.emplace_back(*first, *second);
    }
    return TIntendedPairs(pairs);
}

TIntendedPairs IntendedOnPreview(const TIntendedPairs& pairs, const TItemNeighbours& neighbours)
{
    std::vector<TIntendedPairs::TPair> shown;
    for (const auto& pair : pairs.Pairs())
        if (neighbours.HasPixels(pair.first) && neighbours.HasPixels(pair.second))
            shown.push_back(pair);
    return TIntendedPairs(shown);
}

fs::path IntendedPairsKey(const fs::path& previewFile)
{
    std::error_code error;
    fs::path key = fs::weakly_canonical(previewFile, error);
    if (error || !key.is_absolute()) {
        key = fs::absolute(previewFile, error);
        if (error)
            return previewFile.lexically_normal();
        key = key.lexically_normal();
    }
    return key;
}

TIntendedPairs ReadIntendedPairs(const fs::path& settingsFile, const fs::path& previewFile)
{
    const std::string key = IntendedPairsKey(previewFile).native();
    if (!FitsProfileValue(key))
        return {};
    const TSlot slot = FindSlot(TProfileFile(settingsFile), key);
    std::string text;
    for (const std::string& chunk : slot.Chunks)
        text += chunk + ' ';
    return ParseIntendedPairs(text);
}

void WriteIntendedPairs(
    const fs::path& settingsFile, const fs::path& previewFile, const TIntendedPairs& pairs)
{
    const std::string key = IntendedPairsKey(previewFile).native();
    if (!FitsProfileValue(key))
        return;
    const TSlot slot = FindSlot(TProfileFile(settingsFile), key);
    const std::vector<std::string> chunks = Chunks(IntendedPairsText(pairs));
    if (chunks == slot.Chunks)
        return;
    try {
        std::size_t number = slot.Number;
        if (number == 0) {
            number = slot.Next;
            WriteProfileString(settingsFile, IntendedPairsSection, PreviewKey(number), key);
        }
        for (std::size_t chunk = 0; chunk < std::max(chunks.size(), slot.Chunks.size()); ++chunk) {
            const std::string text = chunk < chunks.size() ? chunks[chunk] : std::string();
            if (chunk >= slot.Chunks.size() || slot.Chunks[chunk] != text)
                WriteProfileString(
                    settingsFile, IntendedPairsSection, PairsKey(number, chunk + 1), text);
        }
    } catch (const std::exception&) {
        throw TError(FormatText("Unable to write to %s", settingsFile.c_str()), settingsFile);
    }
}
