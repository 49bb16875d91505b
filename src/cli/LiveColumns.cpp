#include "cli/LiveColumns.h"

const std::vector<LiveColumn>& LiveColumns() {
  static const std::vector<LiveColumn> columns = {
      {"position", LiveQuantity::ActPos, nullptr},       {"velocity", LiveQuantity::Snelheid, nullptr},
      {"linpos", LiveQuantity::ActPosLin, nullptr},       {"peak1", LiveQuantity::ActPeakHold1, nullptr},
      {"peak2", LiveQuantity::ActPeakHold2, nullptr},     {"aout_v", LiveQuantity::Spanning_uit, nullptr},
      {"aout_i", LiveQuantity::Stroom_uit, nullptr},      {"ain_v", LiveQuantity::Spanning_in, nullptr},
      {"ain_i", LiveQuantity::Stroom_in, nullptr},        {"ain", LiveQuantity::Analoog_in_AWE, nullptr},
      {"inputs", std::nullopt, "ri"},                     {"outputs", std::nullopt, "ru"},
      {"error", std::nullopt, "rf"},
  };
  return columns;
}

const LiveColumn* FindLiveColumn(std::string_view name) {
  for (const LiveColumn& column : LiveColumns())
    if (name == column.name) return &column;
  return nullptr;
}

std::string LiveColumnNames() {
  std::string names;
  for (const LiveColumn& column : LiveColumns()) names += (names.empty() ? "" : ", ") + std::string(column.name);
  return names;
}

std::string LiveColumnHelp() {
  return "Values to show (default: position velocity inputs outputs error): " + LiveColumnNames();
}

std::string LiveColumnCommand(const LiveColumn& column) {
  return column.quantity ? Info(*column.quantity).command : column.command;
}
