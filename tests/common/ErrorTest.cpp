#include "common/Error.h"

#include "common/FileAccess.h"

#include <gtest/gtest.h>

#include <functional>
#include <ios>
#include <new>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

namespace {

// What the user reads for each kind of failure: the program's own texts unchanged, a sentence for
// the standard library's, whose own texts are type names and implementation details.
TEST(ErrorTest, EveryFailureReadsAsASentence)
{
    struct TRow
    {
        const char* Name;
        std::function<void()> Fail;
        std::string Text;
    };
    const std::vector<TRow> rows = {
        {"our own", [] { throw TError("Stream read error"); }, "Stream read error"},
        {"our own, naming a file", [] { throw TError("Error", "/x/Preview.cpf"); }, "Error"},
        {"a failed write",
            [] { throw TFileWriteError(TFileWriteError::TStage::Write, 28, "Disk full"); },
            "Disk full"},
        {"memory ran out", [] { throw std::bad_alloc(); }, "Out of memory"},
        {"a string past its largest size",
            [] {
                std::string text;
                text.reserve(text.max_size() + 1);
            },
            "Out of memory"},
        {"a system error", [] { throw std::system_error(EACCES, std::generic_category()); },
            "Permission denied"},
        {"a file-system error",
            [] {
                throw std::filesystem::filesystem_error("cannot get file size", "/x/a.clr",
                    std::make_error_code(std::errc::no_such_file_or_directory));
            },
            "Cannot access \"/x/a.clr\". No such file or directory"},
        {"a stream error", [] { throw std::ios_base::failure("basic_ios::clear"); },
            "Input/output error"},
        {"an index out of range", [] { (void)std::vector<int>().at(3); },
            "An internal error stopped the operation"},
        {"a call of nothing", [] { std::function<void()>()(); },
            "An internal error stopped the operation"},
        {"a bare runtime error", [] { throw std::runtime_error("std::runtime_error"); },
            "An internal error stopped the operation"},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        try {
            row.Fail();
            ADD_FAILURE() << "nothing was thrown";
        } catch (const std::exception& error) {
            EXPECT_EQ(UserErrorText(error), row.Text) << "what(): " << error.what();
        }
    }
}

} // namespace
