#pragma once

#include <optional>
#include <string>
#include <vector>

#include "comm/RkTypes.h"

// One call of vq2x as the argument parser understood it: checked whole, so
// a command never starts on an argument it cannot use.
enum class CliCommand { Ports, Scan, Info, Get, Set, Read, Write, Backup, Restore, Watch, Send, Report, Diff };

struct LineFraming {
  TDataBit dataBits = TDataBit::db_8;
  TParityBit parity = TParityBit::Even;
  TStopBit stopBits = TStopBit::sb_1;
};

struct GlobalOptions {
  std::optional<std::string> port;   // "COM3" or a device path; none: the settings file's port
  std::optional<TBaudrate> baudrate;
  std::optional<LineFraming> framing;
  std::optional<int> unit;           // none: the settings file's unit
  std::vector<int> units;            // --units, ascending; empty: one unit
  std::string config;                // another settings file; empty: the default one
  int language = 1;                  // catalogue language: 0 nl, 1 en, 2 de
  bool json = false;
  bool quiet = false;
  bool fast = false;                 // replies end at their line end (also on through application.ini)
  std::string log;                   // --log: the traffic transcript; empty: none
};

struct CliCall {
  GlobalOptions global;
  CliCommand command = CliCommand::Info;
  std::vector<std::string> operands;  // numbers, N=VALUE items, a file, watched quantities, a command line,
                                      // the two sides of a diff ("device", "defaults" or a file)
  std::string output;                 // -o FILE
  bool all = false;                   // get --all; diff --all (equal rows too)
  bool raw = false;                   // set --raw
  bool noCompute = false;             // set, write --no-compute
  bool yes = false;                   // restore --yes
  bool changedOnly = false;           // write --changed-only: only the values the device holds otherwise
  bool verify = false;                // write, set, restore --verify: read back what was written
  bool keepLineIdentity = false;      // restore --keep-line-identity: parameters 0, 1, 2 not written
  std::vector<TBaudrate> bauds;       // scan --bauds; empty: the search window's rates
  bool allFramings = false;           // scan --all-framings
  int intervalMs = 200;               // watch --interval
  std::optional<long> count;          // watch --count
};

// What parsing gave: a call to run, or the text to print and the status to
// end with (help, version, a bad call).
struct ParsedCall {
  std::optional<CliCall> call;
  int status = 0;
  std::string out;  // help or version, for stdout
  std::string err;  // why the call is bad, for stderr
};

// Total: any arguments (without the program name) give a result.
ParsedCall ParseCommandLine(const std::vector<std::string>& arguments);

// "1,3,5-7" as ascending unit numbers 0 .. 31 without repeats; none when
// the list is malformed or names a unit outside that range.
std::optional<std::vector<int>> ParseUnitList(const std::string& text);
