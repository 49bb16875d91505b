#pragma once

#include <string>
#include <string_view>

// The SHA-256 digest of some bytes, as 64 lower-case hexadecimal digits: how
// a report names the backup file it belongs to, so the two can be matched
// with any checksum program.
std::string Sha256Hex(std::string_view bytes);
