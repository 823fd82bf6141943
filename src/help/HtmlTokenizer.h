#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Reads an HTML page into text runs and tags the way HTML 5 tokenises it, for the help page
// sanitiser: a "<" starts a tag only before a letter ("< table>", "<\"table\">" and
// "<&#116;able>" are text), a tag's name runs to a blank, "/" or ">", quotes delimit a value only
// right after "=" (in "<span x\">" the quote belongs to a name, and the ">" ends the tag), and a
// tag the input ends inside is dropped. Comments ("<!-- -->"),
// declarations ("<!DOCTYPE>") and processing instructions come as Skip.
struct THtmlAttribute
{
    std::string Name; // ASCII lower case
    std::string_view Value; // as written, character references not decoded
};

struct THtmlPiece
{
    enum class TKind { Text, StartTag, EndTag, Skip };
    TKind Kind = TKind::Text;
    std::string_view Text; // of a Text piece, character references not decoded
    std::string Name; // of a tag, ASCII lower case
    std::vector<THtmlAttribute> Attributes; // of a start tag, the first of each name
};

class THtmlTokenizer
{
public:
    explicit THtmlTokenizer(std::string_view html)
        : FHtml(html)
    { }

    // The next piece; false at the end.
    bool Next(THtmlPiece& piece);

    // The text up to the end tag of `name` (</script>, </title>), which stays to be read next;
    // the rest of the input when there is none.
    std::string_view RawTextUntilEndTag(std::string_view name);

private:
    void ReadTag(THtmlPiece& piece, bool closing);
    void SkipTo(std::string_view end);

    std::string_view FHtml;
    std::size_t FPos = 0;
};
