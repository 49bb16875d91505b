#pragma once

#include <span>
#include <string>
#include <string_view>

// What most likely keeps a serial port from opening, so that the user can
// be told what to do: no permission (on Linux the "dialout" group), another
// program holding the port (ModemManager, a terminal program), or no device
// at the path. Unexplained when the error number gives no useful hint. The
// error numbers and the advice are the system's (Linux or Windows).
enum class PortFailureKind { Unexplained, NoPermission, Busy, NoDevice };

PortFailureKind PortFailureKindOf(int errorNumber);
// The error numbers a hint exists for, in the order they are matched.
std::span<const int> PortErrorsWithHint();
// The same for a port exception, whose message is the system's text of the
// error number (the exception carries only that text).
PortFailureKind PortFailureKindOfText(std::string_view systemText);

// What to do about it, in English; empty when unexplained.
std::string PortFailureCause(PortFailureKind kind);
