#pragma once

// Pieces shared by the tables of hostile inputs: inputs made of random bytes or of one piece
// repeated, and the rows' names as the names of their tests.

#include <cstddef>
#include <random>
#include <string>
#include <string_view>

// `size` random bytes of every value, the same for the same seed; `instead` stands in for each
// byte equal to `avoid`, so that a table can keep out a byte that would end or shape the input.
inline std::string RandomBytes(std::size_t size, unsigned seed, int avoid = -1, char instead = '\0')
{
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes) {
        c = static_cast<char>(random());
        if (static_cast<unsigned char>(c) == avoid)
            c = instead;
    }
    return bytes;
}

inline std::string Repeated(std::string_view piece, std::size_t times)
{
    std::string text;
    text.reserve(piece.size() * times);
    for (std::size_t i = 0; i < times; ++i)
        text += piece;
    return text;
}

// For INSTANTIATE_TEST_SUITE_P: a row's Name is its test's name.
struct TRowName
{
    template <typename TInfo> std::string operator()(const TInfo& info) const
    {
        return info.param.Name;
    }
};
