// The help's menu pages against the menus as the window builds them: every entry of a menu, its
// submenus' entries included, is listed on the menu's page, in order and with its shortcut, in
// each shipped language. A command added to a menu without its help fails here.
#include "app/MainFormFixture.h"

#include "common/UiText.h"
#include "help/HelpFile.h"
#include "help/HelpRequests.h"
#include "help/HelpRouter.h"
#include "help/Sitemap.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QStringList>

namespace {

const fs::path DataFolder(TINTWRIGHT_DATA_DIR);

// How a page writes an entry: the caption without its accelerator mark, then the shortcut in
// brackets.
struct TEntry
{
    QString Caption;
    QKeySequence Shortcut;

    bool operator==(const TEntry&) const = default;
};

void PrintTo(const TEntry& entry, std::ostream* out)
{
    *out << '"' << entry.Caption.toStdString() << '"';
    if (!entry.Shortcut.isEmpty())
        *out << " (" << entry.Shortcut.toString(QKeySequence::PortableText).toStdString() << ')';
}

QString WithoutAccelerator(QString caption)
{
    caption.replace("&&", QChar(0x1));
    caption.remove('&');
    caption.replace(QChar(0x1), '&');
    return caption;
}

void AddEntries(const QMenu& menu, std::vector<TEntry>& entries)
{
    for (const QAction* action : menu.actions()) {
        if (action->isSeparator() || !action->isVisible())
            continue;
        entries.push_back({WithoutAccelerator(action->text()), action->shortcut()});
        if (action->menu())
            AddEntries(*action->menu(), entries);
    }
}

// The terms of a page's definition lists (<dt>), nested lists included, in order. The pages
// write shortcuts as the menus of the language show them; the modifier names are read back here.
std::vector<TEntry> PageEntries(const std::string& page)
{
    std::vector<TEntry> entries;
    for (std::size_t at = page.find("<dt>"); at != std::string::npos;
         at = page.find("<dt>", at + 4)) {
        const std::size_t end = page.find("</dt>", at);
        if (end == std::string::npos)
            break;
        std::string term;
        bool inTag = false;
        for (const char c : page.substr(at + 4, end - at - 4)) {
            if (c == '<' || c == '>')
                inTag = c == '<';
            else if (!inTag)
                term += c;
        }
        QString text = FromWindows1252(DecodeCharacterReferences(term)).simplified();
        TEntry entry;
        if (text.endsWith(')')) {
            const qsizetype open = text.lastIndexOf(" (");
            QString keys = text.mid(open + 2, text.size() - open - 3);
            for (const auto& [shown, portable] : {std::pair("Strg", "Ctrl"),
                     std::pair("Umschalt", "Shift"), std::pair("Maj", "Shift")})
                keys.replace(shown, portable);
            entry.Shortcut = QKeySequence::fromString(keys, QKeySequence::PortableText);
            if (!entry.Shortcut.isEmpty())
                text = text.left(open);
        }
        entry.Caption = text;
        entries.push_back(entry);
    }
    return entries;
}

class MenuPagesTest : public TMainFormFixture
{
public:
    void SetUp() override
    {
        TMainFormFixture::SetUp();
        fs::copy(DataFolder / "languages", Folder / "languages");
        fs::copy(DataFolder / "Help", Folder / "Help");
    }
};

TEST_F(MenuPagesTest, EachMenuPageListsEveryEntryOfItsMenu)
{
    const std::pair<int, const char*> pages[] = {{0, "/file-menu.htm"}, {1, "/edit-menu.htm"},
        {2, "/tools-menu.htm"}, {3, "/help-menu.htm"}};
    TMainForm& form = Start();
    for (const char* language : {"English", "Deutsch", "Francais"}) {
        SCOPED_TRACE(language);
        form.ApplyLanguage(language);
        const THelpFile help(CompiledHelpFile(HelpRouter(form)->Helpfile()));
        ASSERT_TRUE(help.IsOpen());
        for (const auto& [menu, page] : pages) {
            SCOPED_TRACE(page);
            std::vector<TEntry> entries;
            AddEntries(*Menu(form, menu), entries);
            ASSERT_GE(entries.size(), 4u);
            const std::optional<std::string> html = help.Read(page);
            ASSERT_TRUE(html.has_value());
            EXPECT_EQ(PageEntries(*html), entries);
        }
    }
}

} // namespace
