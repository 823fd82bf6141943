#pragma once

#include <unistd.h>

// Closes a file descriptor on every path out of a function.
class TFileDescriptor
{
public:
    explicit TFileDescriptor(int fd)
        : FFd(fd)
    { }
    ~TFileDescriptor()
    {
        if (FFd >= 0)
            ::close(FFd);
    }
    TFileDescriptor(const TFileDescriptor&) = delete;
    TFileDescriptor& operator=(const TFileDescriptor&) = delete;
    int Get() const { return FFd; }
    // Closes now and reports the result: a full disk often shows only here.
    int Close()
    {
        const int result = ::close(FFd);
        FFd = -1;
        return result;
    }

private:
    int FFd;
};
