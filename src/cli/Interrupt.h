#pragma once

// Ctrl-C: the job under way stops at its next event, the port is closed and
// its settings restored, and vq2x ends with status 130.
void CatchInterrupt();
bool Interrupted();
