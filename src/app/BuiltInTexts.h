#pragma once

#include "common/AnsiString.h"

#include <string_view>

struct TLanguageKey;

// The texts the window is built with, before any language file is applied.

// The caption of a group or label of the main window by its object name ("GroupBox1"); empty for
// any other name.
const char* ControlCaption(std::string_view name);

// The text a language key's target shows before any language file ("&" marking accelerators
// where the program shows them).
TAnsiString BuiltInText(const TLanguageKey& key);
