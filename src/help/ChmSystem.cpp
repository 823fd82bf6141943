#include "help/ChmSystem.h"

#include "help/LittleEndian.h"

#include <cstdint>

namespace {

constexpr std::size_t VersionSize = 4;
constexpr std::size_t RecordHeaderSize = 4;

enum : std::uint16_t {
    CodeContentsFile = 0,
    CodeIndexFile = 1,
    CodeDefaultTopic = 2,
    CodeTitle = 3,
};

TAnsiString TextOfRecord(std::string_view data)
{
    return TAnsiString(data.substr(0, data.find('\0')));
}

} // namespace

TChmSystem ParseChmSystem(std::string_view bytes)
{
    TChmSystem system;
    std::size_t pos = VersionSize;
    while (pos <= bytes.size() && bytes.size() - pos >= RecordHeaderSize) {
        const std::uint16_t code = LoadUInt16(bytes, pos);
        const std::size_t length = LoadUInt16(bytes, pos + 2);
        pos += RecordHeaderSize;
        if (length > bytes.size() - pos)
            break;
        const std::string_view data = bytes.substr(pos, length);
        pos += length;

        TAnsiString* target = nullptr;
        switch (code) {
        case CodeContentsFile:
            target = &system.ContentsFile;
            break;
        case CodeIndexFile:
            target = &system.IndexFile;
            break;
        case CodeDefaultTopic:
            target = &system.DefaultTopic;
            break;
        case CodeTitle:
            target = &system.Title;
            break;
        default:
            break;
        }
        if (target != nullptr && target->empty())
            *target = TextOfRecord(data);
    }
    return system;
}
