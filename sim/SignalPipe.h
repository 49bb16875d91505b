#pragma once

// SIGTERM, SIGINT and SIGHUP become a readable byte on a pipe, so the poll
// loop ends cleanly and saves its state. SIGPIPE and SIGTTIN are ignored: a
// closed reader of standard output or a background job reading the terminal
// must not stop the simulator.
namespace SignalPipe {
// The read end (non-blocking), or -1 when the pipe cannot be made.
int Install();
}  // namespace SignalPipe

// Makes sure descriptors 0, 1 and 2 are open (on /dev/null when they were
// closed), so that no descriptor the simulator opens later takes their place.
void EnsureStandardDescriptors();
