#pragma once

#include <string>

// The extension of a file name, after its last dot, in lower case ("bak"
// for "Unit3.BAK"); empty when the name has none (a dot in a folder name
// does not count).
std::string FileExtension(const std::string& path);
