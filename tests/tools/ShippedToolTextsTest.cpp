// The shipped language files translate every text of the changed-items, compare and history
// tools, keep their formats' values, and give their menu entries accelerators of their own.
#include "app/MainFormFixture.h"
#include "app/WindowTools.h"
#include "common/ProfileFile.h"

#include <QAction>
#include <QMenu>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>

namespace {

const fs::path LanguagesData = fs::path(TINTWRIGHT_DATA_DIR) / "languages";
const char* const Languages[] = {"English", "Deutsch", "Francais"};
constexpr std::string_view Absent = "\x01<absent>";

bool Ours(std::string_view section, std::string_view key)
{
    return section == "ChangedItems" || section == "CompareFile" || section == "History"
        || (section == "Readouts" && (key == "ChangedFrom" || key == "NoDescription"));
}

// The values a format takes: "%1", "%2", ...
std::multiset<char> Values(std::string_view text)
{
    std::multiset<char> values;
    for (std::size_t at = text.find('%'); at != std::string_view::npos && at + 1 < text.size();
         at = text.find('%', at + 2))
        if (text[at + 1] >= '1' && text[at + 1] <= '9')
            values.insert(text[at + 1]);
    return values;
}

using ShippedToolTextsTest = TMainFormFixture;

TEST_F(ShippedToolTextsTest, EveryTextTranslatedWithItsValues)
{
    TMainForm& form = Start();
    const auto* tools = form.findChild<TWindowTools*>();
    ASSERT_NE(tools, nullptr);
    std::size_t checked = 0;
    for (const char* language : Languages) {
        SCOPED_TRACE(language);
        const TProfileFile file(LanguagesData / (std::string(language) + ".clf"));
        const TProfileFile english(LanguagesData / "English.clf");
        for (const TLanguageKey& key : tools->CommandKeys()) {
            if (!Ours(key.Section, key.Key))
                continue;
            SCOPED_TRACE(std::string(key.Section) + "/" + key.Key);
            EXPECT_NE(file.ReadString(key.Section, key.Key, Absent), Absent);
            ++checked;
        }
        for (const TTextKey& key : tools->TextKeys()) {
            if (!Ours(key.Section, key.Key))
                continue;
            SCOPED_TRACE(std::string(key.Section) + "/" + key.Key);
            const std::string value = file.ReadString(key.Section, key.Key, Absent);
            ASSERT_NE(value, Absent);
            EXPECT_EQ(Values(value), Values(key.English));
            EXPECT_EQ(english.ReadString(key.Section, key.Key, ""), key.English);
            ++checked;
        }
    }
    EXPECT_EQ(checked, 3u * 38) << "every key of the three tools";
}

// The letter after a single "&", lower case; none when there is no "&".
QChar Accelerator(const QString& caption)
{
    const qsizetype at = caption.indexOf('&');
    return at >= 0 && at + 1 < caption.size() ? caption[at + 1].toLower() : QChar();
}

TEST_F(ShippedToolTextsTest, OurEntriesTakeNoOtherEntrysAccelerator)
{
    fs::create_directories(Folder / "languages");
    for (const char* language : Languages)
        fs::copy_file(LanguagesData / (std::string(language) + ".clf"),
            Folder / "languages" / (std::string(language) + ".clf"));
    const QStringList ours = {"ActionFileCompare", "ActionEditHistory", "ActionEditRevertItem",
        "ActionToolsShowSavedColors"};
    TMainForm& form = Start();
    for (const char* language : Languages) {
        SCOPED_TRACE(language);
        form.ApplyLanguage(language);
        for (int menu = 0; menu < 3; ++menu) {
            const QList<QAction*> entries = Menu(form, menu)->actions();
            for (const QAction* entry : entries) {
                if (!ours.contains(entry->objectName()))
                    continue;
                const QChar letter = Accelerator(entry->text());
                EXPECT_FALSE(letter.isNull()) << entry->text().toStdString();
                for (const QAction* other : entries) {
                    if (other != entry && !other->isSeparator()) {
                        EXPECT_NE(Accelerator(other->text()), letter)
                            << entry->text().toStdString() << " and "
                            << other->text().toStdString();
                    }
                }
            }
        }
    }
}

} // namespace
