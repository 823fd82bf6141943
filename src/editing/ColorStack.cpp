#include "editing/ColorStack.h"

std::int32_t TColorStack::Push(std::int32_t index, const TRGBTriple& color)
{
    FEntries.push_back({index, color});
    return static_cast<std::int32_t>(FEntries.size() - 1);
}

void TColorStack::Pop(std::int32_t& index, TRGBTriple& color)
{
    index = -1;
    if (FEntries.empty())
        return;
    index = FEntries.back().Index;
    color = FEntries.back().Color;
    FEntries.pop_back();
}
