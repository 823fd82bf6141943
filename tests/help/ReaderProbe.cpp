// Preloaded into tintwright-chm-reader by the tests (LD_PRELOAD), this stands in for chmlib's
// chm_enumerate, which the reader calls once its confinement is in place, and first does what
// TINTWRIGHT_READER_PROBE names, as code that took over the reader through a hostile help file
// would: "open" a file, make a "socket", "allocate" a gigabyte (and fail the reading when that
// is refused). Then it hands on to chmlib.
#include <chm_lib.h>

#include <cstdlib>
#include <cstring>
#include <string_view>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

using TEnumerate = int (*)(chmFile*, int, CHM_ENUMERATOR, void*);

// Looked up before the reader's main, when the loader may still use any call.
TEnumerate RealEnumerate = nullptr;

__attribute__((constructor)) void FindRealEnumerate()
{
    RealEnumerate = reinterpret_cast<TEnumerate>(::dlsym(RTLD_NEXT, "chm_enumerate"));
}

} // namespace

extern "C" int chm_enumerate(chmFile* file, int what, CHM_ENUMERATOR enumerator, void* context)
{
    const char* probe = std::getenv("TINTWRIGHT_READER_PROBE");
    const std::string_view mode = probe ? probe : "";
    if (mode == "open") {
        const int fd = ::open("/etc/hostname", O_RDONLY | O_CLOEXEC);
        if (fd >= 0)
            ::close(fd);
    } else if (mode == "socket") {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        if (fd >= 0)
            ::close(fd);
    } else if (mode == "allocate") {
        constexpr std::size_t gigabyte = std::size_t {1} << 30;
        void* memory = std::malloc(gigabyte);
        if (memory == nullptr)
            return 0;
        std::memset(memory, 1, gigabyte);
        std::free(memory);
    }
    return RealEnumerate(file, what, enumerator, context);
}
