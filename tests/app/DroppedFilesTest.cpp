#include "app/DroppedFiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(DroppedFilesTest, TakesTheFirstLocalFileOfAUriList)
{
    struct TRow
    {
        const char* Name;
        std::string UriList;
        std::optional<std::string> File;
    };
    const std::string longName(1000, 'n');
    const std::vector<TRow> rows = {
        {"one file", "file:///home/me/night.clr\r\n", "/home/me/night.clr"},
        {"localhost", "file://localhost/home/me/night.clr\r\n", "/home/me/night.clr"},
        {"scheme and host in capitals", "FILE://LocalHost/x.clr", "/x.clr"},
        {"first of three", "file:///one.clr\r\nfile:///two.cpf\r\nfile:///three.clf\r\n",
            "/one.clr"},
        {"comment first", "# dragged from a file manager\r\nfile:///a.clr\r\n", "/a.clr"},
        {"other scheme skipped", "https://example.org/a.clr\r\nfile:///b.clr\r\n", "/b.clr"},
        {"other host skipped", "file://server/a.clr\r\nfile:///b.clr\r\n", "/b.clr"},
        {"escapes decoded to bytes", "file:///My%20Files/%C3%A9t%c3%A9.clr",
            "/My Files/\xC3\xA9t\xC3\xA9.clr"},
        {"non-UTF-8 byte kept", "file:///%E9.clr", "/\xE9.clr"},
        {"broken escapes stand for themselves", "file:///a%zz%4", "/a%zz%4"},
        {"escaped zero byte skipped", "file:///a%00.clr\r\nfile:///c.clr", "/c.clr"},
        {"query and fragment dropped", "file:///a.clr?x=1#top", "/a.clr"},
        {"escaped # kept", "file:///a%23b.clr", "/a#b.clr"},
        {"no authority", "file:/a.clr", "/a.clr"},
        {"lone LF between lines", "file://x/a.clr\nfile:///b.clr", "/b.clr"},
        {"blanks around a line", "  file:///a.clr \r\n", "/a.clr"},
        {"whole long path", "file:///" + longName + ".clr", "/" + longName + ".clr"},
        {"relative", "file:a.clr", std::nullopt},
        {"host without path", "file://localhost", std::nullopt},
        {"only comments", "# nothing\r\n#file:///a.clr\r\n", std::nullopt},
        {"empty", "", std::nullopt},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        const std::optional<std::filesystem::path> file = FirstLocalFileOfUriList(row.UriList);
        ASSERT_EQ(file.has_value(), row.File.has_value());
        if (file) {
            EXPECT_EQ(file->native(), *row.File);
        }
    }
}

// What the launcher sends for a path, the program reads back as the same bytes.
TEST(DroppedFilesTest, FileUrlsOfPathsReadBackWhole)
{
    struct TRow
    {
        const char* Name;
        std::string Path;
        std::string Url;
    };
    const std::vector<TRow> rows = {
        {"plain", "/home/me/night.clr", "file:///home/me/night.clr"},
        {"blank, percent and hash", "/My Files/100% #1.clr",
            "file:///My%20Files/100%25%20%231.clr"},
        {"query and fragment marks", "/a?b=c&d;e.clr", "file:///a%3Fb%3Dc%26d%3Be.clr"},
        {"UTF-8", "/\xC3\xA9t\xC3\xA9.cpf", "file:///%C3%A9t%C3%A9.cpf"},
        {"not UTF-8", "/\xE9\xFF.clr", "file:///%E9%FF.clr"},
        {"control characters", "/a\r\nb\t.clr", "file:///a%0D%0Ab%09.clr"},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        const std::string url = FileUrlOfPath(row.Path);
        EXPECT_EQ(url, row.Url);
        const std::optional<std::filesystem::path> back = LocalFileOfUrl(url);
        ASSERT_TRUE(back.has_value());
        EXPECT_EQ(back->native(), row.Path);
        // A list of several reads its first whole as well.
        EXPECT_EQ(FirstLocalFileOfUriList(url + "\r\n" + FileUrlOfPath("/b.clr")), back);
    }
}

TEST(DroppedFilesTest, DispatchesByExtensionInAnyCase)
{
    struct TRow
    {
        const char* File;
        TDroppedFileKind Kind;
    };
    const std::vector<TRow> rows = {
        {"/home/me/night.clr", TDroppedFileKind::ColorScheme},
        {"/home/me/NIGHT.CLR", TDroppedFileKind::ColorScheme},
        {"/home/me/city.Cpf", TDroppedFileKind::Preview},
        {"/opt/tw/languages/French.clf", TDroppedFileKind::Language},
        {"/home/me/night.clr.bak", TDroppedFileKind::None},
        {"/home/me/schemes.clr/night", TDroppedFileKind::None},
        {"/home/me/clr", TDroppedFileKind::None},
        {"/home/me/night.clrx", TDroppedFileKind::None},
        {"/home/me/night.", TDroppedFileKind::None},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.File);
        EXPECT_EQ(DroppedFileKind(row.File), row.Kind);
    }
}

} // namespace
