#pragma once

#include "common/AnsiString.h"
#include "help/ChmArchive.h"
#include "help/ChmSystem.h"
#include "help/Sitemap.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A compiled help file as the help viewers use it: its title, contents, index, pages, the topics
// of the context numbers and the context-help popups. Built on TChmArchive, so a missing or
// damaged file gives a help file that holds nothing, without a message.
class THelpFile
{
public:
    // The popup-text file inside the help file that the main window's help names.
    static constexpr std::string_view PopupTopicsFile = "CSHelp.txt";

    THelpFile() = default;
    explicit THelpFile(const std::filesystem::path& file);

    bool IsOpen() const { return FArchive.IsOpen(); }
    TChmArchive::TRefusal Refusal() const { return FArchive.Refusal(); }
    const TChmArchive& Archive() const { return FArchive; }
    const TChmSystem& System() const { return FSystem; }

    // The contents and index sitemaps #SYSTEM names, or else the archive's only .hhc / .hhk.
    std::vector<TSitemapItem> Contents() const;
    std::vector<TSitemapItem> Index() const;

    // The archive path of a link from a sitemap or #SYSTEM ("index.htm", "sub/page.htm#part"),
    // found as ResolveChmTopic finds it.
    std::optional<std::string> TopicPath(TAnsiView link) const;

    // The page the viewer opens on: #SYSTEM's default topic, else the first page of the contents.
    std::optional<std::string> DefaultTopic() const;

    // The page of a context number, through #IVB and #STRINGS.
    std::optional<std::string> TopicForContext(std::uint32_t context) const;

    // The popup text of a context number (Windows-1252), from the popup-text file.
    std::optional<TAnsiString> PopupText(
        std::uint32_t context, std::string_view popupFile = PopupTopicsFile) const;

    // The bytes of an entry, such as a page or a picture it shows.
    std::optional<std::string> Read(std::string_view path) const { return FArchive.Read(path); }

private:
    std::vector<TSitemapItem> Sitemap(TAnsiView named, std::string_view extension) const;

    TChmArchive FArchive;
    TChmSystem FSystem;
};
