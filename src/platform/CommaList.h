#pragma once

#include <string>
#include <string_view>
#include <vector>

// Comma lists, the form in which list values are written in the language and
// catalogue files:
//  - characters with codes 1 to 32 before an item are skipped;
//  - an item that begins with a double quote runs to the matching closing
//    quote, two double quotes inside stand for one, the quotes are dropped;
//  - any other item runs up to the first comma or character of code 32 or
//    less, so an unquoted blank ends an item;
//  - after an item, codes 1 to 32 are skipped, and a comma is skipped with
//    the blanks after it before the next item begins;
//  - an empty value gives an empty list.
// Every input gives a list; an unterminated quote runs to the end of the text.
std::vector<std::string> ParseCommaList(std::string_view text);

// The reverse: items that contain a blank, control character, comma or
// double quote (or are empty) are written in double quotes with inner quotes
// doubled; items are joined with commas.
std::string JoinCommaList(const std::vector<std::string>& items);
