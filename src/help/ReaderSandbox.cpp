#include "help/ReaderSandbox.h"

#include <cstddef>
#include <cstdint>
#include <linux/audit.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <vector>

namespace {

#if defined(__x86_64__)
constexpr std::uint32_t AuditArch = AUDIT_ARCH_X86_64;
#elif defined(__aarch64__)
constexpr std::uint32_t AuditArch = AUDIT_ARCH_AARCH64;
#else
#error "No system-call filter for the help reader on this architecture"
#endif

// The largest help file (64 MiB) is held about three times over (its bytes, the entries' contents
// and the stream written); the rest is room for chmlib's caches and the libraries.
constexpr rlim_t MaxAddressSpace = rlim_t {512} << 20;
// The editor waits 5 s for the reader; this ends one that its editor no longer waits for.
constexpr rlim_t MaxProcessorSeconds = 10;

constexpr std::uint32_t Allow = SECCOMP_RET_ALLOW;
constexpr std::uint32_t Kill = SECCOMP_RET_KILL_PROCESS;

// The low and high 32 bits of a call's argument (both architectures are little-endian).
constexpr std::uint32_t ArgumentLow(int index)
{
    return std::uint32_t(offsetof(seccomp_data, args) + sizeof(std::uint64_t) * std::size_t(index));
}
constexpr std::uint32_t ArgumentHigh(int index)
{
    return ArgumentLow(index) + 4;
}

sock_filter Statement(std::uint16_t code, std::uint32_t value)
{
    return BPF_STMT(code, value);
}

sock_filter Jump(std::uint16_t code, std::uint32_t value, std::uint8_t ifTrue, std::uint8_t ifFalse)
{
    return BPF_JUMP(code, value, ifTrue, ifFalse);
}

// Each block starts with the call's number in the accumulator and ends in a return, so a block
// that does not match jumps over itself to the next.
void AddCall(std::vector<sock_filter>& filter, long call, const std::vector<sock_filter>& body)
{
    filter.push_back(
        Jump(BPF_JMP | BPF_JEQ | BPF_K, std::uint32_t(call), 0, std::uint8_t(body.size())));
    filter.insert(filter.end(), body.begin(), body.end());
}

std::vector<sock_filter> Filter()
{
    std::vector<sock_filter> filter = {
        Statement(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, arch)),
        Jump(BPF_JMP | BPF_JEQ | BPF_K, AuditArch, 1, 0),
        Statement(BPF_RET | BPF_K, Kill),
        Statement(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
    };
#if defined(__x86_64__)
    // The x32 calls share the architecture's audit number.
    filter.push_back(Jump(BPF_JMP | BPF_JGE | BPF_K, 0x40000000u, 0, 1));
    filter.push_back(Statement(BPF_RET | BPF_K, Kill));
#endif
    const std::vector<sock_filter> allow = {Statement(BPF_RET | BPF_K, Allow)};
    for (const long call : {SYS_read, SYS_pread64, SYS_lseek, SYS_close, SYS_brk, SYS_munmap,
             SYS_mremap, SYS_madvise, SYS_exit, SYS_exit_group, SYS_rt_sigreturn})
        AddCall(filter, call, allow);
    // Writing goes to standard output only.
    AddCall(filter, SYS_write,
        {
            Statement(BPF_LD | BPF_W | BPF_ABS, ArgumentHigh(0)),
            Jump(BPF_JMP | BPF_JEQ | BPF_K, 0, 0, 3),
            Statement(BPF_LD | BPF_W | BPF_ABS, ArgumentLow(0)),
            Jump(BPF_JMP | BPF_JEQ | BPF_K, STDOUT_FILENO, 0, 1),
            Statement(BPF_RET | BPF_K, Allow),
            Statement(BPF_RET | BPF_K, Kill),
        });
    // Memory, but none that could run code.
    for (const long call : {SYS_mmap, SYS_mprotect}) {
        AddCall(filter, call,
            {
                Statement(BPF_LD | BPF_W | BPF_ABS, ArgumentLow(2)),
                Jump(BPF_JMP | BPF_JSET | BPF_K, PROT_EXEC, 1, 0),
                Statement(BPF_RET | BPF_K, Allow),
                Statement(BPF_RET | BPF_K, Kill),
            });
    }
    filter.push_back(Statement(BPF_RET | BPF_K, Kill));
    return filter;
}

bool SetLimit(int resource, rlim_t soft, rlim_t hard)
{
    const rlimit limit {soft, hard};
    return ::setrlimit(resource, &limit) == 0;
}

} // namespace

bool LimitReaderResources()
{
    // Past the soft processor limit comes SIGXCPU, a second later SIGKILL.
    return SetLimit(RLIMIT_AS, MaxAddressSpace, MaxAddressSpace)
        && SetLimit(RLIMIT_CPU, MaxProcessorSeconds, MaxProcessorSeconds + 1)
        && SetLimit(RLIMIT_CORE, 0, 0);
}

bool EnterReaderSandbox()
{
    if (::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0)
        return false;
    std::vector<sock_filter> filter = Filter();
    const sock_fprog program {static_cast<unsigned short>(filter.size()), filter.data()};
    return ::prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) == 0;
}
