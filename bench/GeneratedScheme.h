#pragma once

#include "scheme/SchemeFile.h"

#include <cstddef>
#include <cstdio>
#include <iterator>
#include <random>
#include <string>

// The text of a large colour file, as a user's scheme for many navigators might grow: random
// colours, and descriptions made of a few words of the shipped scheme's kind, some of them
// accented (Windows-1252), each with its number so no two are alike.
inline std::string GeneratedSchemeText(std::size_t count)
{
    static const char* const words[]
        = {"Main", "road", "border", "Water", "Park", "Forest", "Gr\xFCn",
            "Stra\xDF"
            "e",
            "Motorway", "Route", "Building", "Caf\xE9", "Label", "Night", "Minor", "Area",
            "Airport", "Rail", "Ferry", "Tunnel"};
    std::mt19937 random(100000);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<std::size_t> word(0, std::size(words) - 1);
    std::string text;
    text.reserve(count * 40);
    char numbers[16];
    for (std::size_t i = 0; i < count; ++i) {
        std::snprintf(numbers, sizeof numbers, "%.3d,%.3d,%.3d // ", byte(random), byte(random),
            byte(random));
        text += numbers;
        text += words[word(random)];
        text += ' ';
        text += words[word(random)];
        text += ' ';
        text += std::to_string(i + 1);
        text += "\r\n";
    }
    return text;
}
