#pragma once

// Paths that are not regular files, for tests proving a reader refuses them before reading: a FIFO
// without a writer would block it forever, and a device such as /dev/zero never ends.

#include "TemporaryFolder.h"

#include <gtest/gtest.h>

#include <exception>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

struct TSpecialFile
{
    std::filesystem::path Path;
    const char* Reason; // the system's text in "Cannot open file "%s". %s"
};

// The folder itself, a FIFO and a link to /dev/zero made in it (named with the extension), and
// two devices.
inline std::vector<TSpecialFile> MakeSpecialFiles(
    const TTemporaryFolder& folder, const std::string& extension)
{
    const std::filesystem::path fifo = folder / ("fifo" + extension);
    const std::filesystem::path linkToZero = folder / ("zero" + extension);
    EXPECT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", linkToZero);
    return {
        {folder.Path(), "Is a directory"},
        {fifo, "Not a regular file"},
        {"/dev/zero", "Not a regular file"},
        {"/dev/null", "Not a regular file"},
        {linkToZero, "Not a regular file"},
    };
}

// Reads each path and expects its refusal; a reader that blocked, or read /dev/zero until memory
// ran out, ends the test by the alarm instead of hanging it.
inline void ExpectEachRefused(const std::vector<TSpecialFile>& files,
    const std::function<void(const std::filesystem::path&)>& read)
{
    ::alarm(20);
    for (const TSpecialFile& file : files) {
        SCOPED_TRACE(file.Path.string());
        std::string outcome = "read";
        try {
            read(file.Path);
        } catch (const std::exception& error) {
            outcome = error.what();
        }
        EXPECT_EQ(outcome, "Cannot open file \"" + file.Path.string() + "\". " + file.Reason);
    }
    ::alarm(0);
}
