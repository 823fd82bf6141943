#pragma once

// Peak memory of a step, for tests that prove a reader stays within bounds on hostile input.

#include <cstdint>
#include <fstream>
#include <functional>
#include <string>

// AddressSanitizer inflates resident memory, so memory bounds are not checked under it.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool AddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool AddressSanitizer = true;
#else
constexpr bool AddressSanitizer = false;
#endif
#else
constexpr bool AddressSanitizer = false;
#endif

constexpr std::int64_t MiB = 1 << 20;

// A field of /proc/self/status in bytes ("VmRSS", "VmHWM"), or -1.
inline std::int64_t StatusBytes(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field + ":", 0) == 0)
            return std::stoll(line.substr(field.size() + 1)) * 1024;
    return -1;
}

// How far the resident memory rose above its level at the start while the step ran, or -1 when
// the kernel's high-water mark cannot be reset. Pages that were allocated but never touched do
// not count, which is fine for readers: every byte they keep is written.
inline std::int64_t PeakGrowth(const std::function<void()>& step)
{
    bool reset = false;
    {
        std::ofstream clear("/proc/self/clear_refs");
        clear << "5";
        clear.flush();
        reset = static_cast<bool>(clear);
    }
    const std::int64_t before = StatusBytes("VmRSS");
    step();
    const std::int64_t peak = StatusBytes("VmHWM");
    return reset && before >= 0 && peak >= 0 ? peak - before : -1;
}
