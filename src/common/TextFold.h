#pragma once

#include "common/AnsiString.h"

#include <string>

// Windows-1252 text folded for finding by words: letters become lower case and lose their
// accents, so "grun" finds "Grün" and "strasse" finds "Straße". Ligatures and the letters with
// no base letter are spelled out (Æ as "ae", ß as "ss", Þ as "th"); every other byte stays.
std::string FoldForSearch(TAnsiView text);

// The same, but with the German umlauts spelled as they are written without them: Ä, Ö and Ü as
// "ae", "oe" and "ue", so "gruen" finds "Grün" too.
std::string FoldForSearchSpelledOut(TAnsiView text);
