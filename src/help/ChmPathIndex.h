#pragma once

#include "common/AnsiString.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// Finds the entries of a compiled help file by path, each lookup in time proportional to the
// path's length however many entries the file lists, so that a contents or index of many
// thousand links is matched at once.
class TChmPathIndex
{
public:
    TChmPathIndex() = default;
    // The entries' paths as stored ("/index.htm", "/sub/", "::DataSpace/...").
    explicit TChmPathIndex(std::span<const std::string_view> paths);

    // The position of the entry with the path: "\" is read as "/", a path without a leading "/"
    // gets one (unless it names a "::" entry); an entry spelled exactly so comes first, else the
    // first that differs only in ASCII letter case.
    std::optional<std::size_t> Find(std::string_view path) const;

    // ResolveChmTopic (help/ChmContextMap.h) with Find as the test of each ending: the longest
    // ending of the stored path that names an entry, with its "#anchor".
    std::optional<TAnsiString> ResolveTopic(TAnsiView storedPath) const;

private:
    static constexpr std::uint32_t Root = 0;

    std::uint32_t Child(std::uint32_t node, std::string_view lowerComponent) const;

    std::unordered_map<std::string, std::size_t> FExact;
    std::unordered_map<std::string, std::size_t> FCaseless;
    // The "/"-separated components of the entries' lower-cased paths, from the last one back,
    // as a tree: a node stands for a path ending, and FEnds tells whether an entry ends there.
    // A child's key is its parent's number (4 bytes) and the component.
    std::unordered_map<std::string, std::uint32_t> FChildren;
    std::vector<bool> FEnds {false};
};
