#pragma once

// Sets a baud rate that has no Bxxx constant (28800) through termios2.
// Kept apart because <asm/termbits.h> clashes with <termios.h>.
// Returns 0 or errno.
int SetArbitraryBaud(int fd, int baud);

// Reads the output baud rate the driver really uses (any rate). 0 or errno.
int GetActualBaud(int fd, int& baud);
