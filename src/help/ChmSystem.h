#pragma once

#include "common/AnsiString.h"

#include <string_view>

// What the #SYSTEM file of a compiled help file names. The texts are the help file's own bytes
// (Windows-1252 for our help), as the help compiler wrote them, without the archive's leading "/".
struct TChmSystem
{
    TAnsiString ContentsFile; // the contents sitemap, such as "help-en.hhc"
    TAnsiString IndexFile; // the keyword index sitemap, such as "help-en.hhk"
    TAnsiString DefaultTopic; // the page the viewer opens on
    TAnsiString Title; // the viewer window's title

    bool operator==(const TChmSystem&) const = default;
};

// Reads a #SYSTEM file: a 32-bit version, then records of a 16-bit code, a 16-bit length and that
// many bytes (0 contents file, 1 index file, 2 default topic, 3 title; a text ends at its first
// NUL). A record cut short ends the reading, and the first non-empty text of a code counts;
// anything unreadable simply leaves its text empty.
TChmSystem ParseChmSystem(std::string_view bytes);
