#pragma once

#include "common/AnsiString.h"

#include <cstddef>
#include <string_view>

// How much work a help page asks of the page view. Qt's rich-text layout takes time that grows
// with the square of the elements' nesting and doubles with each table inside a table, so a page
// of a few kilobytes could hold the window for minutes; beyond these limits a page is shown as
// plain text instead.
inline constexpr std::size_t MaxHelpPageSize = std::size_t {256} << 10;
inline constexpr int MaxHelpPageNesting = 64;
inline constexpr int MaxHelpPageTableNesting = 4;
inline constexpr std::size_t MaxHelpPageTableCells = 2000;
// The plain text shown instead is cut here.
inline constexpr std::size_t MaxHelpPagePlainText = std::size_t {128} << 10;

struct THelpPageMeasure
{
    bool TooLarge = false; // the page is larger than MaxHelpPageSize and was not read
    int Nesting = 0; // the most elements open at once
    int TableNesting = 0; // the most tables open at once
    std::size_t TableCells = 0;
};

// Measures the page as Qt's HTML reader nests its elements: void elements (<br>, <img>) hold
// nothing, an end tag closes the elements up to the nearest open one of its name, a <p> closes an
// open paragraph with only inline elements after it, a <li> an open item just before it, a cell
// goes into the nearest open row (a row into the nearest table) and starts a table of its own
// where there is none. Where Qt's rules are not followed exactly, the measure errs on the deep
// side. Reading stops as soon as a limit is passed.
THelpPageMeasure MeasureHelpPage(std::string_view html);

bool FitsHelpPageLayout(const THelpPageMeasure& measure);

// The readable text of a page (Windows-1252): tags and comments dropped, the contents of <head>,
// <script> and <style> left out, character references decoded, blanks run together, and a line
// break for each paragraph, heading, list item, table row and <br>; at most MaxHelpPagePlainText
// bytes.
TAnsiString HelpPagePlainText(std::string_view html);
