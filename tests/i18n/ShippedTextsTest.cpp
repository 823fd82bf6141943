// Our own texts beyond the window's language keys, in the shipped language files: every key is in
// each file, English gives the built-in texts, and another language leaves no English behind.
#include "app/MainFormFixture.h"

#include "app/WindowTexts.h"
#include "common/ProfileFile.h"
#include "common/UiText.h"
#include "help/VersionText.h"
#include "tools/readout/PreviewReadout.h"
#include "tools/Tool.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>

#include <map>
#include <set>
#include <string_view>

namespace {

const fs::path Languages = fs::path(TINTWRIGHT_DATA_DIR) / "languages";
const char* const Missing = "\x01missing";

// Every key of ours, with its English text.
std::vector<TTextKey> OwnKeys(const TMainForm& form)
{
    std::vector<TTextKey> keys(WindowTextKeys().begin(), WindowTextKeys().end());
    for (const TTool* tool : form.findChildren<TTool*>()) {
        for (const TToolCommand& command : tool->Commands()) {
            keys.push_back({command.Text.Section, command.Text.CaptionKey, command.Text.Caption});
            keys.push_back({command.Text.Section, command.Text.HintKey, command.Text.Hint});
        }
        for (const TTextKey& key : tool->Texts())
            keys.push_back(key);
    }
    return keys;
}

// The values a format of ours is filled with: "%1", "%2", ...
std::multiset<char> Placeholders(std::string_view text)
{
    std::multiset<char> values;
    for (std::size_t at = text.find('%'); at != std::string_view::npos && at + 1 < text.size();
         at = text.find('%', at + 2)) {
        if (text[at + 1] >= '1' && text[at + 1] <= '9')
            values.insert(text[at + 1]);
    }
    return values;
}

// The letter after the "&" of a caption, lower case; none without one.
QChar Accelerator(const QString& caption)
{
    for (qsizetype at = caption.indexOf('&'); at >= 0 && at + 1 < caption.size();
         at = caption.indexOf('&', at + 2)) {
        if (caption[at + 1] != '&')
            return caption[at + 1].toLower();
    }
    return {};
}

class ShippedTextsTest : public TMainFormFixture
{
};

TEST_F(ShippedTextsTest, EveryTextOfOursHasItsKeyInEachFileAndEnglishIsBuiltIn)
{
    TMainForm& form = Start();
    const std::vector<TTextKey> keys = OwnKeys(form);
    ASSERT_GT(keys.size(), 20u);
    for (const char* file : {"English.clf", "Deutsch.clf", "Francais.clf"}) {
        SCOPED_TRACE(file);
        const TProfileFile profile(Languages / file);
        for (const TTextKey& key : keys) {
            SCOPED_TRACE(std::string(key.Section) + "/" + key.Key);
            const TAnsiString value = profile.ReadString(key.Section, key.Key, Missing);
            EXPECT_NE(value, Missing);
            EXPECT_EQ(value.empty(), *key.English == '\0');
            // A format keeps the values it is filled with.
            EXPECT_EQ(Placeholders(value), Placeholders(key.English));
            if (std::string(file) == "English.clf") {
                EXPECT_EQ(value, key.English);
            }
        }
    }
}

// In every language each entry of a menu, the tools' included, has a letter of its own.
TEST_F(ShippedTextsTest, EveryMenuEntryHasAnAcceleratorOfItsOwn)
{
    fs::copy(Languages, Folder / "languages", fs::copy_options::recursive);
    TMainForm& form = Start();
    for (const char* language : {"English", "Deutsch", "Francais"}) {
        SCOPED_TRACE(language);
        form.ApplyLanguage(language);
        for (const QMenu* menu : form.findChildren<QMenu*>()) {
            std::map<QChar, QString> taken;
            for (const QAction* entry : menu->actions()) {
                if (entry->isSeparator() || !entry->isVisible())
                    continue;
                const QChar letter = Accelerator(entry->text());
                EXPECT_FALSE(letter.isNull()) << entry->text().toStdString();
                const auto [other, fresh] = taken.emplace(letter, entry->text());
                EXPECT_TRUE(fresh)
                    << entry->text().toStdString() << " and " << other->second.toStdString()
                    << " in " << menu->title().toStdString();
            }
        }
    }
}

TEST_F(ShippedTextsTest, DeutschLeavesNoEnglishInTheWindow)
{
    fs::copy(Languages, Folder / "languages", fs::copy_options::recursive);
    TMainForm& form = Start();
    // Texts German shares with English ("OK", "I&ndex") are not looked for.
    const TProfileFile german(Languages / "Deutsch.clf");
    std::set<QString> english;
    for (const TTextKey& key : OwnKeys(form)) {
        if (german.ReadString(key.Section, key.Key, Missing) != key.English
            && *key.English != '\0') {
            english.insert(QString::fromUtf8(key.English));
            english.insert(QString::fromStdString(WithoutAccelerator(key.English)));
        }
    }
    form.ApplyLanguage("Deutsch");

    std::vector<QString> shown;
    for (const QAction* action : form.findChildren<QAction*>())
        shown.insert(shown.end(), {action->text(), action->toolTip()});
    for (const QMenu* menu : form.findChildren<QMenu*>())
        shown.push_back(menu->title());
    for (const QWidget* widget : form.findChildren<QWidget*>())
        shown.push_back(widget->toolTip());
    for (const TTextKey& key : WindowTextKeys())
        shown.push_back(FromWindows1252(OwnText(key)));
    for (const QString& text : shown)
        EXPECT_EQ(english.count(text), 0u) << text.toStdString();
    EXPECT_EQ(english.count(ColorPickerButton1(form)->toolTip()), 0u);

    // The read-outs speak German too.
    const auto* readout = form.findChild<TPreviewReadout*>();
    ASSERT_NE(readout, nullptr);
    const QString tips = readout->PreviewToolTip({2, 1}) + readout->PreviewToolTip({0, 1})
        + readout->EntryToolTip(1) + readout->EntryToolTip(5);
    for (const char* word : {"item ", "Borders", "fixed", "not in this", "with "})
        EXPECT_FALSE(tips.contains(QString::fromLatin1(word)))
            << word << " in " << tips.toStdString();
}

} // namespace
