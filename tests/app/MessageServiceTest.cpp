#include "app/MessageService.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(MessageServiceTest, NamesTheServiceAfterTheExecutable)
{
    struct TRow
    {
        std::string Executable;
        std::string Service;
    };
    const std::vector<TRow> rows = {
        {"tintwright", "org.tintwright.tintwright"},
        {"/opt/tintwright/tintwright", "org.tintwright.tintwright"},
        {"tintwright.bin", "org.tintwright.tintwright"},
        {"tw.2.1.exe", "org.tintwright.tw"},
        {"tint-wright+2", "org.tintwright.tint_wright_2"},
        {"2go", "org.tintwright._2go"},
        {"\xC3\xA9"
         "diteur",
            "org.tintwright.__diteur"},
        {".hidden", "org.tintwright._"},
        {"", "org.tintwright._"},
        // A bus name holds at most 255 characters.
        {std::string(300, 'a'), "org.tintwright." + std::string(240, 'a')},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Executable);
        EXPECT_EQ(MessageServiceName(row.Executable), row.Service);
    }
}

TEST(MessageServiceTest, PutsTheApplicationObjectAtTheServicesPath)
{
    EXPECT_EQ(ApplicationObjectPath(MessageServiceName("/usr/bin/tintwright")),
        "/org/tintwright/tintwright");
    EXPECT_EQ(ApplicationObjectPath(MessageServiceName("2go")), "/org/tintwright/_2go");
}

} // namespace
