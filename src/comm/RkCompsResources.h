#pragma once

// The serial library's own bilingual texts, numbered 1 to 82: communication
// outcome texts (1..49) and the port setup dialog's texts (50..82). Texts of
// several lines have CR LF between the lines. Placeholders are printf-style
// ("%2.2x", "%4.4x").
constexpr int RkTextCount = 82;

// Text number `number` (1..RkTextCount) in `language` (1 English, 2 German).
// Any other number or language gives "".
const char* RkText(int number, int language);
