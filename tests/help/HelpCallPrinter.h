#pragma once

#include "help/HelpContext.h"

#include <ostream>

// Help requests in test failures as "13:0x008e0088" rather than as bytes.
inline void PrintTo(const THelpCall& call, std::ostream* out)
{
    *out << call.Command << ":0x" << std::hex << call.Data << std::dec;
}
