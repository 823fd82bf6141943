#include "help/ChmContextMap.h"

#include "help/LittleEndian.h"

namespace {

constexpr std::size_t CountSize = 4;
constexpr std::size_t PairSize = 8;

// Longer than any archive path (chmlib's limit is 512 bytes): the rest is not a path.
constexpr std::size_t MaxTopicLength = 1024;

// The pairs that lie inside #IVB, whatever count it claims.
std::string_view PairBytes(std::string_view ivb)
{
    if (ivb.size() < CountSize)
        return {};
    const std::size_t claimed = LoadUInt32(ivb, 0);
    std::string_view pairs = ivb.substr(CountSize, claimed);
    return pairs.substr(0, pairs.size() - pairs.size() % PairSize);
}

std::optional<TAnsiString> StringAt(std::string_view strings, std::uint32_t offset)
{
    if (offset >= strings.size())
        return std::nullopt;
    const std::string_view rest = strings.substr(offset, MaxTopicLength + 1);
    const std::size_t end = rest.find('\0');
    if (end == std::string_view::npos || end == 0)
        return std::nullopt;
    return TAnsiString(rest.substr(0, end));
}

} // namespace

std::vector<TChmContext> ParseChmContexts(std::string_view ivb, std::string_view strings)
{
    std::vector<TChmContext> contexts;
    const std::string_view pairs = PairBytes(ivb);
    for (std::size_t pos = 0; pos < pairs.size() && contexts.size() < MaxChmContexts;
         pos += PairSize) {
        if (auto topic = StringAt(strings, LoadUInt32(pairs, pos + 4)))
            contexts.push_back({LoadUInt32(pairs, pos), std::move(*topic)});
    }
    return contexts;
}

std::optional<TAnsiString> FindChmContext(
    std::string_view ivb, std::string_view strings, std::uint32_t context)
{
    const std::string_view pairs = PairBytes(ivb);
    for (std::size_t pos = 0; pos < pairs.size(); pos += PairSize) {
        if (LoadUInt32(pairs, pos) != context)
            continue;
        if (auto topic = StringAt(strings, LoadUInt32(pairs, pos + 4)))
            return topic;
    }
    return std::nullopt;
}

std::optional<TAnsiString> ResolveChmTopic(TAnsiView storedPath, const TChmEntryTest& hasEntry)
{
    const std::size_t hash = storedPath.find('#');
    const TAnsiView anchor = hash == TAnsiView::npos ? TAnsiView() : storedPath.substr(hash);
    TAnsiString path(storedPath.substr(0, hash == TAnsiView::npos ? storedPath.size() : hash));
    for (char& c : path) {
        if (c == '\\')
            c = '/';
    }
    if (path.empty() || path.back() == '/')
        return std::nullopt;
    if (path.front() != '/')
        path.insert(path.begin(), '/');

    // Each ending starts at a "/"; the last one is the bare file name.
    for (std::size_t start = 0; start != TAnsiString::npos; start = path.find('/', start + 1)) {
        const TAnsiView ending = TAnsiView(path).substr(start);
        if (ending.size() > 1 && hasEntry(ending))
            return TAnsiString(ending) + TAnsiString(anchor);
    }
    return std::nullopt;
}
