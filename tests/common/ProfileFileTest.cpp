#include "common/ProfileFile.h"

#include "TemporaryFolder.h"
#include "common/Error.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace std::string_literals;

namespace {

constexpr const char* Absent = "<absent>";

struct TReadRow
{
    const char* Name;
    std::optional<std::string> File; // nothing: no file at all
    std::string Section;
    std::string Key;
    std::optional<std::string> Value; // nothing: the key is absent
};

const std::vector<TReadRow> ReadRows = {
    {"plain", "[Main]\r\nColor=Red\r\n", "Main", "Color", "Red"},
    {"names ignore case", "[Main]\r\nColor=Red\r\n", "MAIN", "color", "Red"},
    {"no file", std::nullopt, "Main", "Color", std::nullopt},
    {"blanks around name and value", "[Main]\r\n \t Color \t=  Red  \t\r\n", "Main", "Color",
        "Red"},
    {"double quotes keep inner blanks", "[Main]\r\nTitle = \"  a b  \"  \r\n", "Main", "Title",
        "  a b  "},
    {"only the outer pair of quotes", "[Main]\r\nT='\"q\"'\r\n", "Main", "T", "\"q\""},
    {"unbalanced quote stays", "[Main]\r\nT=\"unbalanced\r\n", "Main", "T", "\"unbalanced"},
    {"mixed quotes stay", "[Main]\r\nT=\"x'\r\n", "Main", "T", "\"x'"},
    {"a lone quote stays", "[Main]\r\nT=\"\r\n", "Main", "T", "\""},
    {"empty value is present", "[Main]\r\nT=\r\n", "Main", "T", ""},
    {"empty quoted value is present", "[Main]\r\nT=\"\"\r\n", "Main", "T", ""},
    {"blanks inside brackets", "[ Main ]\r\nK=1\r\n", "Main", "K", "1"},
    {"text after the bracket", "[Main] trailing\r\nK=1\r\n", "Main", "K", "1"},
    {"header without bracket", "[Main\r\nK=1\r\n", "Main", "K", "1"},
    {"lines before any header", "K=0\r\n[Main]\r\nK=1\r\n", "Main", "K", "1"},
    {"only lines before any header", "K=0\r\n", "Main", "K", std::nullopt},
    {"comment lines", "[Main]\r\n;K=1\r\n  ;J=1\r\nK=2\r\n", "Main", "K", "2"},
    {"indented comment", "[Main]\r\n;K=1\r\n  ;J=1\r\nK=2\r\n", "Main", "J", std::nullopt},
    {"value holds equals", "[Main]\r\nK=a=b\r\n", "Main", "K", "a=b"},
    {"no inline comments", "[Main]\r\nkey=v ; note\r\n", "Main", "key", "v ; note"},
    {"first entry wins", "[Main]\r\nK=1\r\nk=2\r\n", "Main", "K", "1"},
    {"only the first section counts", "[Main]\r\n[Other]\r\n[Main]\r\nK=1\r\n", "Main", "K",
        std::nullopt},
    {"section ends at next header", "[Main]\r\nA=1\r\n[Other]\r\nK=1\r\n", "Main", "K",
        std::nullopt},
    {"lone CR line ends", "[Main]\rK=1\rL=2\r", "Main", "L", "2"},
    {"lone LF line ends", "[Main]\nK=1\nL=2", "Main", "L", "2"},
    {"CR LF is one line end", "[Main]\r\n\r\nK=1", "Main", "K", "1"},
    {"long value is cut", "[Main]\r\nK=" + std::string(3000, 'x') + "\r\n", "Main", "K",
        std::string(2047, 'x')},
    {"quotes go before the cut", "[Main]\r\nK=\"" + std::string(3000, 'x') + "\"\r\n", "Main", "K",
        std::string(2047, 'x')},
    {"byte-order mark skipped", "\xEF\xBB\xBF[Main]\r\nK=1\r\n", "Main", "K", "1"},
    {"byte-order mark later is text", "[Main]\r\n\xEF\xBB\xBFK=1\r\n", "Main", "\xEF\xBB\xBFK",
        "1"},
    {"VT FF SUB are trimmed", "[Main]\r\n\v\fK\x1A=\x1A v\f\v\r\n", "Main", "K", "v"},
    {"NUL is text", "[Main]\r\nK=v\0\r\n"s, "Main", "K", "v\0"s},
    {"line without equals ignored", "[Main]\r\nK\r\nK=2\r\n", "Main", "K", "2"},
    {"empty name never matches", "[Main]\r\n=x\r\n", "Main", "", std::nullopt},
    {"case folding is ASCII only", "[\xC9]\r\nK=1\r\n", "\xE9", "K", std::nullopt},
    {"Windows-1252 names", "[\xC9t\xE9]\r\n\xC4=1\r\n", "\xC9T\xE9", "\xC4", "1"},
    {"empty file", "", "Main", "K", std::nullopt},
};

// Writes the row's file, or leaves none.
fs::path MakeFile(const TTemporaryFolder& folder, const std::optional<std::string>& content)
{
    const fs::path file = folder / "test.ini";
    if (content)
        WriteBytes(file, *content);
    return file;
}

TEST(ProfileFileTest, ReadsEveryRow)
{
    for (const TReadRow& row : ReadRows) {
        SCOPED_TRACE(row.Name);
        TTemporaryFolder folder;
        const fs::path file = MakeFile(folder, row.File);
        const std::string expected = row.Value.value_or(Absent);
        EXPECT_EQ(ReadProfileString(file, row.Section, row.Key, Absent), expected);
        // The index read once gives the same answer as the single lookup.
        EXPECT_EQ(TProfileFile(file).ReadString(row.Section, row.Key, Absent), expected);
        EXPECT_EQ(
            TProfileFile::FromText(row.File.value_or("")).ReadString(row.Section, row.Key, Absent),
            expected);
    }
}

TEST(ProfileFileTest, SpecialFilesReadAsMissing)
{
    TTemporaryFolder folder;
    const fs::path fifo = folder / "fifo.ini";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    fs::create_directory(folder / "folder.ini");
    for (const fs::path& file : {fifo, folder / "folder.ini", folder / "missing" / "x.ini"}) {
        SCOPED_TRACE(file.string());
        // A FIFO without a writer must not block the reader.
        EXPECT_EQ(ReadProfileString(file, "Main", "K", "dflt"), "dflt");
        EXPECT_EQ(TProfileFile(file).ReadString("Main", "K", "dflt"), "dflt");
    }
}

TEST(ProfileFileTest, LargeFilesReadCompletely)
{
    std::string text = "[Main]\r\nLong=" + std::string(500'000, 'y') + "\r\n";
    const int keyCount = 30'000;
    for (int i = 0; i < keyCount; ++i)
        text += "Key" + std::to_string(i) + "=" + std::to_string(i) + "\r\n";
    // Within the largest profile file read, with room for the key added below.
    ASSERT_LT(text.size() + 16, MaxProfileFileSize);
    TTemporaryFolder folder;
    const fs::path file = MakeFile(folder, text);

    EXPECT_EQ(ReadProfileString(file, "Main", "Long", ""), std::string(2047, 'y'));
    EXPECT_EQ(ReadProfileString(file, "Main", "Key29999", ""), "29999");
    EXPECT_EQ(ReadProfileString(file, "Main", "Missing", "none"), "none");
    const TProfileFile profile(file);
    for (int i = 0; i < keyCount; i += 997)
        EXPECT_EQ(profile.ReadString("main", "KEY" + std::to_string(i), ""), std::to_string(i));

    WriteProfileString(file, "Main", "Added", "1");
    EXPECT_EQ(ReadBytes(file), text + "Added=1\r\n");
}

struct TCall
{
    std::string Section, Key, Value;
};

struct TWriteRow
{
    const char* Name;
    std::optional<std::string> Before;
    std::vector<TCall> Calls;
    std::string After;
};

const std::vector<TWriteRow> WriteRows = {
    {"no file", std::nullopt, {{"Main", "K", "v"}}, "[Main]\r\nK=v\r\n"},
    {"empty file", "", {{"Main", "K", "v"}}, "[Main]\r\nK=v\r\n"},
    {"keys added in order", "[Main]\r\nA=1\r\n", {{"Main", "B", "2"}, {"Main", "C", "3"}},
        "[Main]\r\nA=1\r\nB=2\r\nC=3\r\n"},
    {"insert before blank line", "[Main]\r\nA=1\r\n\r\n[Other]\r\nX=9\r\n", {{"Main", "B", "2"}},
        "[Main]\r\nA=1\r\nB=2\r\n\r\n[Other]\r\nX=9\r\n"},
    {"insert before trailing comment", "[Main]\r\nA=1\r\n; note\r\n[Other]\r\n",
        {{"Main", "B", "2"}}, "[Main]\r\nA=1\r\nB=2\r\n; note\r\n[Other]\r\n"},
    {"insert before ignored line", "[Main]\r\nA=1\r\nnoise\r\n", {{"Main", "B", "2"}},
        "[Main]\r\nA=1\r\nB=2\r\nnoise\r\n"},
    {"insert after header without entries", "[Main]\r\n; c\r\n", {{"Main", "K", "v"}},
        "[Main]\r\nK=v\r\n; c\r\n"},
    {"insert after unterminated header", "[Main]", {{"Main", "K", "v"}}, "[Main]\r\nK=v\r\n"},
    {"insert after unterminated entry", "[Main]\r\nA=1", {{"Main", "B", "2"}},
        "[Main]\r\nA=1\r\nB=2\r\n"},
    {"insert into first section of the name", "[Main]\r\nA=1\r\n[Main]\r\nK=1\r\n",
        {{"Main", "K", "2"}}, "[Main]\r\nA=1\r\nK=2\r\n[Main]\r\nK=1\r\n"},
    {"new section after unterminated line", "[Main]\r\nA=1", {{"New", "K", "v"}},
        "[Main]\r\nA=1\r\n[New]\r\nK=v\r\n"},
    {"new section after LF file", "[Main]\nA=1\n", {{"New", "K", "v"}},
        "[Main]\nA=1\n[New]\r\nK=v\r\n"},
    {"new section after CR file", "[Main]\rA=1\r", {{"New", "K", "v"}},
        "[Main]\rA=1\r[New]\r\nK=v\r\n"},
    {"new section after text before any header", "K=0", {{"Main", "K", "1"}},
        "K=0\r\n[Main]\r\nK=1\r\n"},
    {"only a byte-order mark", "\xEF\xBB\xBF", {{"Main", "K", "v"}},
        "\xEF\xBB\xBF[Main]\r\nK=v\r\n"},
    {"replace unterminated entry", "[Main]\r\nA=1", {{"Main", "A", "3"}}, "[Main]\r\nA=3\r\n"},
    {"replace keeps file's spelling", "[MAIN]\r\nk=1\r\n", {{"Main", "K", "2"}},
        "[MAIN]\r\nk=2\r\n"},
    {"replace keeps blanks up to the value", "[Main]\r\n  K \t=  \told  \r\nL=1\r\n",
        {{"Main", "K", "new"}}, "[Main]\r\n  K \t=  \tnew\r\nL=1\r\n"},
    {"replace keeps LF", "[Main]\nK=1\nL=2\n", {{"Main", "K", "9"}}, "[Main]\nK=9\nL=2\n"},
    {"replace keeps CR", "[Main]\rK=1\rL=2\r", {{"Main", "K", "9"}}, "[Main]\rK=9\rL=2\r"},
    {"replace empty value", "[Main]\r\nK=\r\n", {{"Main", "K", "v"}}, "[Main]\r\nK=v\r\n"},
    {"replace with empty value", "[Main]\r\nK=1\r\n", {{"Main", "K", ""}}, "[Main]\r\nK=\r\n"},
    {"replace first entry only", "[Main]\r\nK=1\r\nK=2\r\n", {{"Main", "K", "3"}},
        "[Main]\r\nK=3\r\nK=2\r\n"},
    {"replace under header with text after", "[Main] x\r\nA=1\r\n", {{"Main", "A", "2"}},
        "[Main] x\r\nA=2\r\n"},
    {"text before any header untouched", "K=0\r\n[Main]\r\nK=1\r\n", {{"Main", "K", "2"}},
        "K=0\r\n[Main]\r\nK=2\r\n"},
    {"caller spelling for new names", std::nullopt, {{"mAiN", "KeY", "v"}}, "[mAiN]\r\nKeY=v\r\n"},
    {"caller spelling for new key", "[Main]\r\nA=1\r\n", {{"MAIN", "b", "2"}},
        "[Main]\r\nA=1\r\nb=2\r\n"},
    {"byte-order mark and NUL kept", "\xEF\xBB\xBF[Main]\r\nA=\0\r\n"s, {{"Main", "B", "2"}},
        "\xEF\xBB\xBF[Main]\r\nA=\0\r\nB=2\r\n"s},
    {"value written as given", "[Main]\r\n", {{"Main", "K", "\"q\" ; =x"}},
        "[Main]\r\nK=\"q\" ; =x\r\n"},
};

TEST(ProfileFileTest, WritesEveryRow)
{
    for (const TWriteRow& row : WriteRows) {
        SCOPED_TRACE(row.Name);
        TTemporaryFolder folder;
        const fs::path file = MakeFile(folder, row.Before);
        for (const TCall& call : row.Calls)
            WriteProfileString(file, call.Section, call.Key, call.Value);
        EXPECT_EQ(ReadBytes(file), row.After);
        EXPECT_EQ(folder.Listing(), "test.ini\n");
    }
}

struct TRefusalRow
{
    const char* Name;
    std::string Section, Key, Value;
};

const std::vector<TRefusalRow> RefusalRows = {
    {"empty section", "", "K", "v"},
    {"section with CR", "Ma\rin", "K", "v"},
    {"section with LF", "Ma\nin", "K", "v"},
    {"section with bracket", "Ma]in", "K", "v"},
    {"padded section", " Main", "K", "v"},
    {"empty key", "Main", "", "v"},
    {"key with CR", "Main", "K\r", "v"},
    {"key with LF", "Main", "\nK", "v"},
    {"key with equals", "Main", "K=L", "v"},
    {"key begins with semicolon", "Main", ";K", "v"},
    {"key begins with bracket", "Main", "[K", "v"},
    {"padded key", "Main", "K\t", "v"},
    {"value with LF", "Main", "K", "a\nb"},
    {"value with CR", "Main", "K", "a\rb"},
};

TEST(ProfileFileTest, RefusesWritesThatCannotBeReadBack)
{
    const std::string before = "[Main]\r\nK=1\r\n";
    for (const TRefusalRow& row : RefusalRows) {
        SCOPED_TRACE(row.Name);
        TTemporaryFolder folder;
        const fs::path file = MakeFile(folder, before);
        EXPECT_THROW(WriteProfileString(file, row.Section, row.Key, row.Value), TError);
        EXPECT_EQ(ReadBytes(file), before);
        EXPECT_EQ(folder.Listing(), "test.ini\n");

        const fs::path none = folder / "none.ini";
        EXPECT_THROW(WriteProfileString(none, row.Section, row.Key, row.Value), TError);
        EXPECT_FALSE(fs::exists(none));
    }
}

TEST(ProfileFileTest, MissingFolderIsRefusedAndNothingCreated)
{
    TTemporaryFolder folder;
    EXPECT_THROW(
        WriteProfileString(folder / "missing" / "x.ini", "Main", "K", "v"), std::runtime_error);
    EXPECT_EQ(folder.Listing(), "");
}

TEST(ProfileFileTest, UnreadableTargetsAreRefusedUntouched)
{
    TTemporaryFolder folder;
    const fs::path fifo = folder / "fifo.ini";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    fs::create_directory(folder / "folder.ini");
    WriteBytes(folder / "folder.ini" / "inner", "x");
    for (const fs::path& file : {fifo, folder / "folder.ini"}) {
        SCOPED_TRACE(file.string());
        EXPECT_THROW(WriteProfileString(file, "Main", "K", "v"), std::runtime_error);
    }
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_EQ(ReadBytes(folder / "folder.ini" / "inner"), "x");
    EXPECT_EQ(folder.Listing(), "fifo.ini\nfolder.ini\n");

    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads files whatever their permissions";
    // Rewriting a file that cannot be read would throw away what it holds.
    const fs::path locked = folder / "locked.ini";
    WriteBytes(locked, "[Main]\r\nA=1\r\n");
    fs::permissions(locked, fs::perms::owner_write);
    EXPECT_THROW(WriteProfileString(locked, "Main", "K", "v"), std::runtime_error);
    fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(ReadBytes(locked), "[Main]\r\nA=1\r\n");
}

// Splits text at CR LF, lone LF and lone CR, each line keeping its terminator.
std::vector<std::string> LinesOf(std::string_view text)
{
    std::vector<std::string> lines;
    std::size_t begin = 0;
    while (begin < text.size()) {
        std::size_t end = text.find_first_of("\r\n", begin);
        if (end == std::string_view::npos)
            end = text.size();
        else if (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n')
            end += 2;
        else
            end += 1;
        lines.emplace_back(text.substr(begin, end - begin));
        begin = end;
    }
    return lines;
}

// Whether the write changed exactly one line (or added one entry, or one new section of one
// entry), after at most a CR LF closing the old last line.
testing::AssertionResult ChangedOneLine(std::string old, std::string now, const TCall& call)
{
    const std::string mark = "\xEF\xBB\xBF";
    if (old.starts_with(mark) && now.starts_with(mark)) {
        old.erase(0, mark.size());
        now.erase(0, mark.size());
    }
    if (!old.empty() && old.back() != '\r' && old.back() != '\n'
        && now.compare(0, old.size() + 2, old + "\r\n") == 0)
        old += "\r\n";
    if (old == now)
        return testing::AssertionSuccess() << "the line already held the value";
    const std::vector<std::string> before = LinesOf(old);
    const std::vector<std::string> after = LinesOf(now);
    std::size_t first = 0;
    while (first < before.size() && first < after.size() && before[first] == after[first])
        ++first;
    std::size_t last = 0;
    while (last < before.size() - first && last < after.size() - first
        && before[before.size() - 1 - last] == after[after.size() - 1 - last])
        ++last;
    const std::vector<std::string> removed(before.begin() + first, before.end() - last);
    const std::vector<std::string> added(after.begin() + first, after.end() - last);

    const std::string entry = call.Key + "=" + call.Value + "\r\n";
    if (removed.empty() && added == std::vector<std::string> {entry})
        return testing::AssertionSuccess() << "entry inserted";
    if (removed.empty() && last == 0
        && added == std::vector<std::string> {"[" + call.Section + "]\r\n", entry})
        return testing::AssertionSuccess() << "section appended";
    if (removed.size() == 1 && added.size() == 1) {
        const std::string& line = removed.front();
        const std::size_t equals = line.find('=');
        if (equals != std::string::npos && added.front().starts_with(line.substr(0, equals + 1))
            && added.front().find(call.Value) != std::string::npos)
            return testing::AssertionSuccess() << "entry replaced";
    }
    return testing::AssertionFailure()
        << "old: " << testing::PrintToString(old) << "\nnew: " << testing::PrintToString(now);
}

TEST(ProfileFileTest, EveryWriteChangesOneLine)
{
    const std::vector<std::string> files = {
        "",
        "\xEF\xBB\xBF",
        "[Main]",
        "[Main]\r\nK=1\r\nA=2",
        "; settings\r\nK=top\r\n\r\n[main]\r\n  k = old \r\n\r\n; end\r\n",
        "[Other]\nX=1\n[Main]\nA=1\n\n[Main]\nK=2\n",
        "[Main]\rK=1\r[Other]\rX=\r",
        "\xEF\xBB\xBF[Main]\r\nA=\0\r\nnoise\r\n[Other]"s,
        "[Main]\r\n[Other]\r\nK=1\r\n; c",
        "\r\n\r\n[Main] x\r\n=nameless\r\n;K=c\r\nK=\"q\"\r\n\n\r",
    };
    const std::vector<TCall> calls = {
        {"Main", "K", "x"},
        {"MAIN", "k", "y y"},
        {"Main", "New", "a=b ; c"},
        {"Other", "X", ""},
        {"Fresh", "K", "v"},
    };
    for (const std::string& before : files) {
        for (const TCall& call : calls) {
            SCOPED_TRACE(testing::PrintToString(before) + " " + call.Section + "/" + call.Key);
            TTemporaryFolder folder;
            const fs::path file = MakeFile(folder, before);
            WriteProfileString(file, call.Section, call.Key, call.Value);
            const std::string after = ReadBytes(file);
            EXPECT_TRUE(ChangedOneLine(before, after, call));
            EXPECT_EQ(ReadProfileString(file, call.Section, call.Key, Absent), call.Value);

            // A second write of the same key changes that line again instead of adding one.
            WriteProfileString(file, call.Section, call.Key, "again");
            EXPECT_TRUE(ChangedOneLine(after, ReadBytes(file), {call.Section, call.Key, "again"}));
            EXPECT_EQ(LinesOf(ReadBytes(file)).size(), LinesOf(after).size());
        }
    }
}

} // namespace
