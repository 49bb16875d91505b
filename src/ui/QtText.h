#pragma once

#include <QString>
#include <string>

// Texts of the files and the model are UTF-8; a file saved by an older
// editor may hold Latin-1 instead, which is shown as such rather than as
// replacement characters.
QString Q(const std::string& text);
std::string S(const QString& text);

// A message of the language files for a message box: its line ends
// ("\n\r", "\r\n", a lone CR or LF) become single line feeds.
QString MessageLines(const std::string& text);
