#pragma once

#include <filesystem>

// The "Show selected item" switch of the Edit menu, kept in a section of our own of the
// settings file ([Tintwright] ShowSelectedItem=1), apart from the keys TSettings reads.

// Off when the file, the section or the key is missing or the value is not a number.
bool ReadShowSelectedItem(const std::filesystem::path& iniFile);

// Writes the switch only when the file does not already give that value, so a user who never
// turned it on gets no new section, and every other line stays as it was. Throws TError
// "Unable to write to <file>" on any failure.
void WriteShowSelectedItem(const std::filesystem::path& iniFile, bool show);
