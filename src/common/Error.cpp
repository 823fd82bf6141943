#include "common/Error.h"

#include "common/FileAccess.h"
#include "common/TextRules.h"

#include <cerrno>
#include <ios>
#include <new>
#include <system_error>

std::string UserErrorText(const std::exception& error)
{
    if (dynamic_cast<const TError*>(&error) != nullptr
        || dynamic_cast<const TFileWriteError*>(&error) != nullptr)
        return error.what();
    // A container asked to grow past its largest size fails with length_error: memory ran out
    // for it just as surely.
    if (dynamic_cast<const std::bad_alloc*>(&error) != nullptr
        || dynamic_cast<const std::length_error*>(&error) != nullptr)
        return "Out of memory";
    if (const auto* fileError = dynamic_cast<const std::filesystem::filesystem_error*>(&error)) {
        const std::string reason = SystemErrorText(fileError->code().value());
        if (fileError->path1().empty())
            return reason;
        return FormatText("Cannot access \"%s\". %s", fileError->path1().c_str(), reason.c_str());
    }
    // A stream's failure carries a category of its own whose text says nothing more.
    if (dynamic_cast<const std::ios_base::failure*>(&error) != nullptr)
        return SystemErrorText(EIO);
    if (const auto* systemError = dynamic_cast<const std::system_error*>(&error))
        return systemError->code().message();
    return "An internal error stopped the operation";
}
