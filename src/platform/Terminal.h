#pragma once

// Whether a standard stream is a terminal a person looks at (progress and
// questions are for people; a script gets neither).
enum class TerminalStream { Input, Output, Error };
bool IsTerminal(TerminalStream stream);
