#pragma once

#include <QString>
#include <QtGlobal>

#include <sanitizer/allocator_interface.h>

#include <cstddef>
#include <cstring>

// Pixels a decoder never wrote would make a picture of garbage, which no sanitizer here sees (Qt
// is not instrumented). A fuzzer therefore decodes each input twice, each time with the memory
// allocated meanwhile filled with a different byte: results that differ hold bytes that did not
// come from the input.
namespace FreshMemory {

// Only blocks this small are filled: AddressSanitizer takes them from its size-class pools and
// clears a calloc block only after the hook ran, while larger ones come zeroed from mmap and a
// fill would undo calloc's zeroing.
inline constexpr std::size_t FilledBlockLimit = 64 * 1024;
inline int FillByte = -1; // none while negative

inline void FillNewBlock(const volatile void* block, std::size_t size)
{
    if (FillByte >= 0 && size < FilledBlockLimit)
        std::memset(const_cast<void*>(block), FillByte, size);
}

inline void IgnoreFreedBlock(const volatile void*) { }

inline void IgnoreMessage(QtMsgType, const QMessageLogContext&, const QString&) { }

// For LLVMFuzzerInitialize. The image plugins warn about every damaged file; the run's output is
// kept for findings, so their messages are dropped.
inline void Install()
{
    qInstallMessageHandler(IgnoreMessage);
    __sanitizer_install_malloc_and_free_hooks(FillNewBlock, IgnoreFreedBlock);
}

// Memory allocated while one lives is filled with the byte.
struct TFilling
{
    explicit TFilling(int byte) { FillByte = byte; }
    ~TFilling() { FillByte = -1; }
    TFilling(const TFilling&) = delete;
    TFilling& operator=(const TFilling&) = delete;
};

} // namespace FreshMemory
