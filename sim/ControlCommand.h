#pragma once

#include <string>
#include <string_view>

#include "LineBus.h"
#include "LineServer.h"

// Operator commands, typed on standard input or timed in a script:
//   in 1 on | in 2 off | in 1 toggle     switch an input
//   fault ssi | fault data | fault clear encoder fault (error 10, 11) or clear it
//   analog-in VOLTS MILLIAMPS            the signal at the analog input
//   long on | long off                   "rh" answers with more than 100 bytes
//   silent N | garble N                  the next N commands: no reply, garbled reply
//   delay MS | burst K GAP_MS | noise PER_MINUTE
//   status                               position, outputs, error of each unit
// "unit N" in front of in, fault, analog-in, long or status aims at one
// unit; without it they act on every unit.
// The result is a short text for the operator (empty lines are ignored).
std::string RunControlCommand(std::string_view line, LineBus& bus, LineServer& server, SimTime now);

extern const char* const ControlCommandHelp;
