#include "i18n/OwnTexts.h"

#include <algorithm>
#include <map>
#include <string>
#include <utility>

namespace {

// Section and key, compared as a language file compares them: ASCII letters without case.
std::string Identity(const TTextKey& key)
{
    std::string identity = std::string(key.Section) + '\n' + key.Key;
    for (char& c : identity) {
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    }
    return identity;
}

std::map<std::string, TAnsiString>& Texts()
{
    static std::map<std::string, TAnsiString> texts;
    return texts;
}

const std::vector<std::uint64_t> EnglishSingularCounts = {1};

std::vector<std::uint64_t>& SingularCounts()
{
    static std::vector<std::uint64_t> counts = EnglishSingularCounts;
    return counts;
}

} // namespace

TAnsiString OwnText(const TTextKey& key)
{
    const auto found = Texts().find(Identity(key));
    return found != Texts().end() ? found->second : TAnsiString(key.English);
}

void SetOwnText(const TTextKey& key, TAnsiView value)
{
    Texts()[Identity(key)] = TAnsiString(value);
}

void ResetOwnTexts()
{
    Texts().clear();
    SingularCounts() = EnglishSingularCounts;
}

void SetSingularCounts(std::vector<std::uint64_t> counts)
{
    SingularCounts() = std::move(counts);
}

bool SaidInSingular(std::uint64_t count)
{
    const std::vector<std::uint64_t>& counts = SingularCounts();
    return std::find(counts.begin(), counts.end(), count) != counts.end();
}

TAnsiString OwnCountText(const TTextKey& one, const TTextKey& many, std::uint64_t count)
{
    return OwnText(SaidInSingular(count) ? one : many);
}
