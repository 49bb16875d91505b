#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/LiveValues.h"

// The live values `vq2x watch` can show, by the names a script uses. Ten of
// them are the main window's live quantities (their command, decimals and
// unit come from there); inputs, outputs and the error number are the
// main window's I/O boxes and error panel.
struct LiveColumn {
  const char* name;
  std::optional<LiveQuantity> quantity;
  const char* command;  // for the three that are no live quantity
};

const LiveColumn* FindLiveColumn(std::string_view name);
const std::vector<LiveColumn>& LiveColumns();
std::string LiveColumnNames();  // "position, velocity, ..."
std::string LiveColumnHelp();
// The command that reads a column's value.
std::string LiveColumnCommand(const LiveColumn& column);
