#include "preview/ReferenceColors.h"

#include <cstdint>

void MakeReferenceColors(TRGBTripleArray& table)
{
    // Three 16-bit counters of which each entry keeps the low bytes. Blue is never reset, so
    // its byte wraps through all multiples of 16, and the counter itself wraps at 65536.
    std::uint16_t red = 96;
    std::uint16_t green = 48;
    std::uint16_t blue = 48;
    for (TRGBTriple& entry : table) {
        entry.rgbtBlue = static_cast<std::uint8_t>(blue);
        entry.rgbtGreen = static_cast<std::uint8_t>(green);
        entry.rgbtRed = static_cast<std::uint8_t>(red);
        red = static_cast<std::uint16_t>(red + 48);
        // Greys are skipped only while the full counters agree: once blue has grown past 255
        // its byte can equal red and green again, and that grey is kept.
        if (green == red && red == blue)
            red = static_cast<std::uint16_t>(red + 48);
        if (red > 255) {
            red = 48;
            green = static_cast<std::uint16_t>(green + 48);
            if (green > 255) {
                green = 48;
                blue = static_cast<std::uint16_t>(blue + 48);
            }
        }
    }
}
