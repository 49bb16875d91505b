#pragma once

// The baud rate set on a terminal, in bit/s; 0 when unknown. Reads the exact
// rate where the system keeps one (so 28800, set as a custom rate, reads
// back as 28800), else maps the standard speed codes.
int ReadTerminalBaud(int fd);

// Sets a standard baud rate; false for a rate without a speed code.
bool SetTerminalBaud(int fd, int baud);
