#pragma once

#include <string>
#include <string_view>

// The language files give the filter of a file dialog as pairs of a
// description and its patterns, each separated by a vertical bar:
// "Setpoint file (*.vqs)|*.vqs|All files|*.*", patterns within a pair
// separated by ";". The dialog wants "description (patterns)" entries
// joined by ";;", patterns separated by blanks:
//  - a description that already ends in its patterns in parentheses is kept
//    as it stands, otherwise the patterns are added in parentheses;
//  - a pair without a description (or a last part without a partner, such
//    as a lone "*.vqs") is an entry of patterns only;
//  - a pair without patterns is dropped; an empty text gives an empty filter.
std::string DialogFilter(std::string_view filter);
