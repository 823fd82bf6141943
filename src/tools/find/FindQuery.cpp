#include "tools/find/FindQuery.h"

#include "common/TextFold.h"
#include "common/TextRules.h"
#include "editing/ColorNotation.h"

#include <algorithm>

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

// The words of a text, split at blanks and control characters.
std::vector<TAnsiView> Words(TAnsiView text)
{
    std::vector<TAnsiView> words;
    std::size_t at = 0;
    while (at < text.size()) {
        while (at < text.size() && IsSpace(text[at]))
            ++at;
        std::size_t end = at;
        while (end < text.size() && !IsSpace(text[end]))
            ++end;
        if (end > at)
            words.push_back(text.substr(at, end - at));
        at = end;
    }
    return words;
}

// The text after a keyword of one or more words that it starts with (compared folded, so letter
// case and accents do not count); none when it does not start with it.
std::optional<TAnsiView> AfterKeyword(TAnsiView text, TAnsiView keyword)
{
    const std::vector<TAnsiView> keywordWords = Words(keyword);
    if (keywordWords.empty())
        return std::nullopt;
    std::size_t at = 0;
    for (const TAnsiView word : keywordWords) {
        while (at < text.size() && IsSpace(text[at]))
            ++at;
        std::size_t end = at;
        while (end < text.size() && !IsSpace(text[end]))
            ++end;
        if (end == at || FoldForSearch(text.substr(at, end - at)) != FoldForSearch(word))
            return std::nullopt;
        at = end;
    }
    // The keyword is whole words: "nearer" is no "near".
    if (at >= text.size() || !IsSpace(text[at]))
        return std::nullopt;
    return text.substr(at);
}

} // namespace

TFindQuery ParseFindQuery(TAnsiView text, TAnsiView nearWords)
{
    TFindQuery query;
    text = TrimControls(text);
    // The English word counts in every language.
    std::vector<TAnsiView> keywords = {"near"};
    for (std::size_t at = 0; at <= nearWords.size();) {
        const std::size_t comma = std::min(nearWords.find(',', at), nearWords.size());
        keywords.push_back(nearWords.substr(at, comma - at));
        at = comma + 1;
    }
    for (const TAnsiView keyword : keywords) {
        const std::optional<TAnsiView> rest = AfterKeyword(text, keyword);
        if (!rest)
            continue;
        if (const auto color = ParseColorNotation(*rest)) {
            query.Color = color;
            query.Near = true;
            return query;
        }
    }
    for (const TAnsiView word : Words(text)) {
        query.Words.push_back(FoldForSearch(word));
        query.SpelledWords.push_back(FoldForSearchSpelledOut(word));
    }
    query.Item = ItemOfNumber(text);
    query.Color = ParseColorNotation(text);
    return query;
}
