#pragma once

#include <string>
#include <string_view>

// Writes content to a temporary file in the target's folder
// ("<file>.saving-XXXXXX"), flushes it to disk and renames it over the
// target. Either the old or the new content is at the path afterwards, never
// a mixture. On failure *error holds the path and the system's text ("path:
// reason"), whole for a message, and the temporary file is removed; the
// temporary of a save that was killed is removed by the next save of the
// same file.
bool WriteFileAtomically(const std::string& path, std::string_view content, std::string* error = nullptr);

// Reads a whole file into *content; refuses files larger than maxSize.
// *error as for the write.
bool ReadWholeFile(const std::string& path, std::string* content, std::size_t maxSize, std::string* error = nullptr);
