#include "i18n/OwnTexts.h"

#include <map>
#include <string>

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
}
