#include "tools/find/FindQuery.h"

#include "common/TextFold.h"
#include "common/TextRules.h"
#include "editing/ColorNotation.h"

namespace {

// Item numbers beyond this many digits are no item of any document.
constexpr std::size_t MaxNumberDigits = 9;

std::optional<std::size_t> ItemOfNumber(TAnsiView text)
{
    if (text.empty() || text.size() > MaxNumberDigits)
        return std::nullopt;
    std::size_t number = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        number = number * 10 + std::size_t(c - '0');
    }
    if (number == 0)
        return std::nullopt;
    return number - 1;
}

bool IsSpace(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

std::vector<std::string> Words(const std::string& folded)
{
    std::vector<std::string> words;
    std::size_t at = 0;
    while (at < folded.size()) {
        while (at < folded.size() && IsSpace(folded[at]))
            ++at;
        std::size_t end = at;
        while (end < folded.size() && !IsSpace(folded[end]))
            ++end;
        if (end > at)
            words.push_back(folded.substr(at, end - at));
        at = end;
    }
    return words;
}

} // namespace

TFindQuery ParseFindQuery(TAnsiView text)
{
    TFindQuery query;
    text = TrimControls(text);
    constexpr TAnsiView NearWord = "near";
    if (text.size() > NearWord.size() && SameTextAscii(text.substr(0, NearWord.size()), NearWord)
        && IsSpace(text[NearWord.size()])) {
        if (const auto color = ParseColorNotation(text.substr(NearWord.size()))) {
            query.Color = color;
            query.Near = true;
            return query;
        }
    }
    query.Words = Words(FoldForSearch(text));
    query.Item = ItemOfNumber(text);
    query.Color = ParseColorNotation(text);
    return query;
}
