#pragma once

#include <string>
#include <string_view>

// The About box's version line from the four parts of the program's version: "Version 2.1
// (build 0079)" for 2.1.0.79, with the release only when it is not 0 ("Version 2.1.3 (build
// 0012)"), and the build padded to at least four digits.
std::string VersionText(int major, int minor, int release, int build);

// The text a caption shows: "&" marks the accelerator letter and is not shown, "&&" shows one
// "&" ("&About..." reads "About...").
std::string WithoutAccelerator(std::string_view caption);

// The product's home page, opened by the About box's link and the home-page command.
inline constexpr const char* HomePageAddress = "https://tintwright.org/";
