#pragma once

#include <string>
#include <string_view>

// Where a running copy receives macros on the session bus: every copy asks for the same name
// (later copies queue for it) and offers one method, Execute(s macro), on one object.

// "org.tintwright." and the executable's file name up to its first ".", made a valid element of a
// bus name: "tintwright" gives "org.tintwright.tintwright".
std::string MessageServiceName(std::string_view executableFileName);

// The object a desktop calls through org.freedesktop.Application: the service name with its dots
// as slashes, "/org/tintwright/tintwright", as that interface asks.
std::string ApplicationObjectPath(std::string_view serviceName);

inline constexpr const char* MessageObjectPath = "/System";
inline constexpr const char* MessageInterfaceName = "org.tintwright.System";
inline constexpr const char* ApplicationInterfaceName = "org.freedesktop.Application";
