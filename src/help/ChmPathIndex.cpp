#include "help/ChmPathIndex.h"

#include "common/TextRules.h"

#include <cstring>

namespace {

std::string NormalPath(std::string_view path)
{
    std::string normal(path);
    for (char& c : normal) {
        if (c == '\\')
            c = '/';
    }
    if (!normal.starts_with('/') && !normal.starts_with("::"))
        normal.insert(normal.begin(), '/');
    return normal;
}

std::string ChildKey(std::uint32_t node, std::string_view component)
{
    std::string key(sizeof node, '\0');
    std::memcpy(key.data(), &node, sizeof node);
    key.append(component);
    return key;
}

} // namespace

TChmPathIndex::TChmPathIndex(std::span<const std::string_view> paths)
{
    FExact.reserve(paths.size());
    FCaseless.reserve(paths.size());
    FChildren.reserve(2 * paths.size());
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const std::string_view path = paths[i];
        FExact.try_emplace(std::string(path), i);
        std::string lower = AsciiLowerCase(path);
        FCaseless.try_emplace(lower, i);
        if (!lower.starts_with('/'))
            continue; // only "/" paths are endings of a topic path
        // "/a/b.htm" is the ending made of "b.htm", then "a".
        std::uint32_t node = Root;
        std::size_t end = lower.size();
        while (true) {
            const std::size_t slash = lower.rfind('/', end - 1);
            const std::string key
                = ChildKey(node, std::string_view(lower).substr(slash + 1, end - slash - 1));
            const auto [found, added] = FChildren.try_emplace(key, std::uint32_t(FEnds.size()));
            if (added)
                FEnds.push_back(false);
            node = found->second;
            if (slash == 0)
                break;
            end = slash;
        }
        FEnds[node] = true;
    }
}

std::uint32_t TChmPathIndex::Child(std::uint32_t node, std::string_view lowerComponent) const
{
    const auto found = FChildren.find(ChildKey(node, lowerComponent));
    return found == FChildren.end() ? Root : found->second;
}

std::optional<std::size_t> TChmPathIndex::Find(std::string_view path) const
{
    if (path.empty())
        return std::nullopt;
    const std::string normal = NormalPath(path);
    if (const auto exact = FExact.find(normal); exact != FExact.end())
        return exact->second;
    if (const auto caseless = FCaseless.find(AsciiLowerCase(normal)); caseless != FCaseless.end())
        return caseless->second;
    return std::nullopt;
}

std::optional<TAnsiString> TChmPathIndex::ResolveTopic(TAnsiView storedPath) const
{
    const std::size_t hash = storedPath.find('#');
    const TAnsiView anchor = hash == TAnsiView::npos ? TAnsiView() : storedPath.substr(hash);
    TAnsiString path(storedPath.substr(0, hash));
    for (char& c : path) {
        if (c == '\\')
            c = '/';
    }
    if (path.empty() || path.back() == '/')
        return std::nullopt;
    if (path.front() != '/')
        path.insert(path.begin(), '/');
    const std::string lower = AsciiLowerCase(path);

    // The endings are walked from the bare file name outwards, one folder more each step, as far
    // as any entry goes; the longest one that is an entry wins, as it is tried first.
    std::optional<std::size_t> longest;
    std::uint32_t node = Root;
    std::size_t end = lower.size();
    while (true) {
        const std::size_t slash = lower.rfind('/', end - 1);
        node = Child(node, std::string_view(lower).substr(slash + 1, end - slash - 1));
        if (node == Root)
            break;
        if (FEnds[node])
            longest = slash;
        if (slash == 0)
            break;
        end = slash;
    }
    if (!longest)
        return std::nullopt;
    return path.substr(*longest) + TAnsiString(anchor);
}
