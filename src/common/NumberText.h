#pragma once

#include "common/AnsiString.h"

#include <cstdint>

// How the language shown writes numbers, in Windows-1252: the sign before the decimals and the
// sign between groups of three digits. The window takes both from the language's locale
// (i18n/ShownText.h); the defaults are English.
struct TNumberFormat
{
    TAnsiString DecimalPoint = ".";
    TAnsiString GroupSeparator = ",";
};

// A whole number with its digits grouped by three from the right: "12,345".
TAnsiString WholeNumberText(std::uint64_t value, const TNumberFormat& format = {});

// A number of hundredths (tenths with one decimal) as a decimal number: 452 with two decimals is
// "4.52", with one "45.2".
TAnsiString FixedPointText(std::uint64_t units, int decimals, const TNumberFormat& format = {});
