#include "help/HelpFile.h"

#include "common/TextRules.h"
#include "help/ChmContextMap.h"
#include "help/PopupTopics.h"

THelpFile::THelpFile(const std::filesystem::path& file)
    : FArchive(file)
{
    if (const auto system = FArchive.Read("/#SYSTEM"))
        FSystem = ParseChmSystem(*system);
}

std::vector<TSitemapItem> THelpFile::Sitemap(TAnsiView named, std::string_view extension) const
{
    if (!named.empty()) {
        if (const auto html = FArchive.Read(named))
            return ParseSitemap(*html);
    }
    // A help file whose #SYSTEM names no sitemap may still hold one.
    std::optional<std::string> found;
    for (const std::string& path : FArchive.Entries()) {
        if (path.starts_with('/') && path.size() > extension.size()
            && SameTextAscii(
                std::string_view(path).substr(path.size() - extension.size()), extension)) {
            if (found)
                return {}; // more than one: no telling which is meant
            found = path;
        }
    }
    if (!found)
        return {};
    const auto html = FArchive.Read(*found);
    return html ? ParseSitemap(*html) : std::vector<TSitemapItem> {};
}

std::vector<TSitemapItem> THelpFile::Contents() const
{
    return Sitemap(FSystem.ContentsFile, ".hhc");
}

std::vector<TSitemapItem> THelpFile::Index() const
{
    return Sitemap(FSystem.IndexFile, ".hhk");
}

std::optional<std::string> THelpFile::TopicPath(TAnsiView link) const
{
    return FArchive.ResolveTopic(link);
}

std::optional<std::string> THelpFile::DefaultTopic() const
{
    if (!FSystem.DefaultTopic.empty()) {
        if (auto path = TopicPath(FSystem.DefaultTopic))
            return path;
    }
    for (const TSitemapItem& item : Contents()) {
        if (!item.Local.empty()) {
            if (auto path = TopicPath(item.Local))
                return path;
        }
    }
    return std::nullopt;
}

std::optional<std::string> THelpFile::TopicForContext(std::uint32_t context) const
{
    const auto ivb = FArchive.Read("/#IVB");
    const auto strings = FArchive.Read("/#STRINGS");
    if (!ivb || !strings)
        return std::nullopt;
    const auto stored = FindChmContext(*ivb, *strings, context);
    return stored ? TopicPath(*stored) : std::nullopt;
}

std::optional<TAnsiString> THelpFile::PopupText(
    std::uint32_t context, std::string_view popupFile) const
{
    const auto text = FArchive.Read(popupFile);
    if (!text)
        return std::nullopt;
    const auto topics = ParsePopupTopics(*text);
    const auto found = topics.find(context);
    if (found == topics.end())
        return std::nullopt;
    return found->second;
}
