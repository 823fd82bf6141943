#include "app/CommandTable.h"

const std::array<const char*, 4> MenuCaptions = {"&File", "&Edit", "&Tools", "&Help"};

std::size_t CommandIndex(std::string_view name)
{
    for (std::size_t i = 0; i < Commands.size(); ++i) {
        if (name == Commands[i].Name)
            return i;
    }
    return CommandCount;
}
