#pragma once

#include "common/AnsiString.h"

#include <cstddef>
#include <string>
#include <string_view>

// How much a help page may ask of the page view. Qt's rich-text layout takes time that grows with
// the square of the elements' nesting, doubles with each table inside a table and grows with the
// square of a word's length, so a page of a few kilobytes could hold the window for minutes. Every
// page is therefore rewritten before Qt reads it (SanitizeHelpPage), and only the rewritten page,
// which keeps within these limits, is laid out; a page larger than MaxHelpPageSize is shown as its
// plain text, rewritten the same way.
inline constexpr std::size_t MaxHelpPageSize = std::size_t {64} << 10;
inline constexpr int MaxHelpPageNesting = 64;
inline constexpr int MaxHelpPageTableNesting = 4;
inline constexpr std::size_t MaxHelpPageTableCells = 1000;
inline constexpr std::size_t MaxHelpPageElements = 20000;
// A longer run of characters without a blank gets a zero-width space, where a line may break,
// after each so many characters.
inline constexpr std::size_t MaxHelpPageWordLength = 64;
// The body of a rewritten page stops here; its head (title and style sheets) adds at most
// MaxHelpPageHeadSize.
inline constexpr std::size_t MaxHelpPageBodySize = std::size_t {512} << 10;
inline constexpr std::size_t MaxHelpPageHeadSize = std::size_t {64} << 10;
// The plain text of a page is cut here.
inline constexpr std::size_t MaxHelpPagePlainText = std::size_t {64} << 10;

// What the rewritten page holds, as the layout nests it.
struct THelpPageMeasure
{
    int Nesting = 0; // the most elements open at once inside the body
    int TableNesting = 0; // the most tables open at once
    std::size_t TableCells = 0;
    std::size_t Elements = 0; // inside the body
    bool Cut = false; // the body reached MaxHelpPageBodySize and the rest was left out

    bool operator==(const THelpPageMeasure&) const = default;
};

struct TSanitizedHelpPage
{
    std::string Html; // Windows-1252
    THelpPageMeasure Measure;
};

// Rewrites a help page (Windows-1252) as strict HTML that any HTML reader reads as it was written:
// the elements our help pages use (headings, paragraphs, lists, definition lists, tables, links,
// pictures, emphasis and code, <div>, <span>, <pre>, <br>, <hr>) with the few attributes they take,
// every element closed explicitly and inside a parent that may hold it (a missing list, row or
// cell is put in; a cell or row outside any table loses its tag), character references decoded
// and written again as needed ("&amp;", "&lt;", "&gt;", "&quot;", "&#8594;"), control characters
// left out. Any other element gives up its tag and keeps its text; comments, <script> and
// <style> go whole. The head holds the first <title> and up to four <link rel="stylesheet">.
// A tag beyond MaxHelpPageNesting, MaxHelpPageTableNesting, MaxHelpPageTableCells or
// MaxHelpPageElements is dropped and its text kept, a word longer than MaxHelpPageWordLength
// gets places to break, and the body ends at MaxHelpPageBodySize. Rewriting the result gives the
// same result again.
TSanitizedHelpPage SanitizeHelpPage(std::string_view html);

// The page shown for one too large to read as HTML: its plain text (HelpPagePlainText) as a
// paragraph with its line breaks, rewritten by SanitizeHelpPage.
TSanitizedHelpPage PlainTextHelpPage(std::string_view html);

// The readable text of a page (Windows-1252): tags and comments dropped, the contents of <head>,
// <script> and <style> left out, character references decoded, blanks run together, and a line
// break for each paragraph, heading, list item, table row and <br>; at most MaxHelpPagePlainText
// bytes.
TAnsiString HelpPagePlainText(std::string_view html);
