// The command line of vq2x: global options, then one command with its own
// arguments. Parsed with CLI11; every value is checked here, before a
// command runs, so a bad call sends nothing.
#include <CLI/CLI.hpp>

#include <algorithm>
#include <array>
#include <sstream>

#include "cli/CliCall.h"
#include "cli/ExitStatus.h"
#include "cli/LiveColumns.h"
#include "model/Global_var.h"
#include "platform/FileExtension.h"

namespace {

struct CommandInfo {
  CliCommand command;
  const char* name;
  const char* summary;
  const char* example;
  bool manyUnits;  // takes --units
};

constexpr std::array<CommandInfo, 13> kCommands = {{
    {CliCommand::Ports, "ports", "List the serial devices present: path, description, USB vendor:product, serial number",
     "vq2x ports", false},
    {CliCommand::Scan, "scan", "Search the line for devices: every unit 0..31 at every baud rate and framing",
     "vq2x --port /dev/ttyUSB0 scan --bauds 9600,38400", false},
    {CliCommand::Info, "info", "Show the device's type, hardware and serial texts (\"rt\", \"rh\", \"rx\")",
     "vq2x --port COM1 --units 1-4 info", true},
    {CliCommand::Get, "get", "Show parameter values: number, name, value with its decimals, option text",
     "vq2x --unit 3 get 7 12 203", true},
    {CliCommand::Set, "set", "Write parameters (then \"bp\" unless --no-compute); VALUE as shown, or an option text",
     "vq2x --unit 3 set 7=12,50 41=Cam", false},
    {CliCommand::Read, "read", "Read the device into a .vqp (parameters), .vqs (setpoints) or .bak (both) file",
     "vq2x --unit 3 read -o unit3.vqp", true},
    {CliCommand::Write, "write", "Write a .vqp or .vqs file into the device (\"wp\"/\"ws\", then \"bp\" for parameters)",
     "vq2x --unit 3 write unit3.vqp", true},
    {CliCommand::Backup, "backup", "Save the whole device into a 16020-byte .bak file, as the tool's Backup does",
     "vq2x --units 1,5,7 backup -o 'line-{unit}.bak'", true},
    {CliCommand::Restore, "restore",
     "Write a .bak file into the device, unit number and line settings included unless --keep-line-identity",
     "vq2x --unit 5 restore line-3.bak --keep-line-identity --verify", true},
    {CliCommand::Watch, "watch", "Live values as CSV lines with a time stamp, until Ctrl-C or --count",
     "vq2x watch position velocity inputs --interval 100 --count 50", false},
    {CliCommand::Send, "send", "Send one command line and print the reply as the terminal does",
     "vq2x send rt", false},
    {CliCommand::Report, "report",
     "Read the whole device and write how it was left: changed parameters, setpoints, calibration, cams, "
     "backup checksum (.md or .json)",
     "vq2x --units 1-4 report -o 'unit-{unit}.md'", true},
    {CliCommand::Diff, "diff",
     "Compare A with B: device, defaults or a .vqp/.vqs/.bak file (B: the device); exit 1 when they differ",
     "vq2x --unit 3 diff unit3.bak device", true},
}};

constexpr std::array<std::pair<const char*, TBaudrate>, 9> kBaudrates = {{{"1200", TBaudrate::br1200},
                                                                          {"2400", TBaudrate::br2400},
                                                                          {"4800", TBaudrate::br4800},
                                                                          {"9600", TBaudrate::br9600},
                                                                          {"19200", TBaudrate::br19200},
                                                                          {"28800", TBaudrate::br28800},
                                                                          {"38400", TBaudrate::br38400},
                                                                          {"57600", TBaudrate::br57600},
                                                                          {"115200", TBaudrate::br115200}}};

std::optional<TBaudrate> Baudrate(const std::string& text) {
  for (const auto& [name, rate] : kBaudrates)
    if (text == name) return rate;
  return std::nullopt;
}

// "8E1": data bits 7 or 8, parity N, E or O, stop bits 1 or 2.
std::optional<LineFraming> Framing(const std::string& text) {
  if (text.size() != 3) return std::nullopt;
  LineFraming f;
  if (text[0] != '7' && text[0] != '8') return std::nullopt;
  f.dataBits = text[0] == '7' ? TDataBit::db_7 : TDataBit::db_8;
  switch (std::toupper(static_cast<unsigned char>(text[1]))) {
    case 'N': f.parity = TParityBit::None; break;
    case 'E': f.parity = TParityBit::Even; break;
    case 'O': f.parity = TParityBit::Odd; break;
    default: return std::nullopt;
  }
  if (text[2] != '1' && text[2] != '2') return std::nullopt;
  f.stopBits = text[2] == '1' ? TStopBit::sb_1 : TStopBit::sb_2;
  return f;
}

std::optional<int> WholeNumber(const std::string& text, int low, int high) {
  if (text.empty() || text.size() > 9 || !std::all_of(text.begin(), text.end(), ::isdigit)) return std::nullopt;
  const int value = std::stoi(text);
  if (value < low || value > high) return std::nullopt;
  return value;
}

// What CLI11 fills in; turned into a CliCall once the parse has succeeded.
struct RawCall {
  std::string port, baud, framing, unit, units, config, language = "en", log;
  bool json = false, quiet = false, fast = false;
  std::vector<std::string> operands;
  std::string output, bauds, interval, count;
  bool all = false, raw = false, noCompute = false, yes = false, allFramings = false;
  bool changedOnly = false, verify = false, keepLineIdentity = false;
};

constexpr const char* kVerifyHelp = "Read back every value written and list each the device holds otherwise (exit 1)";

// A side of a diff: the device, the catalogue defaults or a value file.
enum class SideKind { Device, Defaults, Parameters, Setpoints, Both };

std::string Usage(const std::string& why) { return "vq2x: " + why + "\n(see vq2x --help)"; }

CLI::App* AddCommand(CLI::App& app, const CommandInfo& info, RawCall& raw) {
  CLI::App* sub = app.add_subcommand(info.name, info.summary);
  sub->fallthrough();
  sub->footer(std::string("Example:\n  ") + info.example);
  switch (info.command) {
    case CliCommand::Ports:
    case CliCommand::Info: break;
    case CliCommand::Scan:
      sub->add_option("--bauds", raw.bauds, "Baud rates to try, e.g. 9600,38400 (default 9600..57600)");
      sub->add_flag("--all-framings", raw.allFramings,
                    "Try every parity and both stop bits (default: the port's framing, or --framing)");
      break;
    case CliCommand::Get:
      sub->add_option("N", raw.operands, "Parameter numbers 0..315");
      sub->add_flag("--all", raw.all, "Every parameter");
      break;
    case CliCommand::Set:
      sub->add_option("N=VALUE", raw.operands, "Parameter and value, e.g. 7=12,50 or 7=12.50 or 41=Cam")->required();
      sub->add_flag("--raw", raw.raw, "VALUE is the raw whole number the device holds");
      sub->add_flag("--no-compute", raw.noCompute, "Do not send \"bp\" afterwards");
      sub->add_flag("--verify", raw.verify, kVerifyHelp);
      break;
    case CliCommand::Read:
    case CliCommand::Backup:
    case CliCommand::Report:
      sub->add_option("-o,--output", raw.output, "The file to write ({unit} and {serial} are filled in)")->required();
      break;
    case CliCommand::Write:
      sub->add_option("FILE", raw.operands, "A .vqp or .vqs file")->required()->expected(1);
      sub->add_flag("--no-compute", raw.noCompute, "Do not send \"bp\" after parameters");
      sub->add_flag("--changed-only", raw.changedOnly,
                    "Read the device first and write only the values it holds otherwise");
      sub->add_flag("--verify", raw.verify, kVerifyHelp);
      break;
    case CliCommand::Restore:
      sub->add_option("FILE", raw.operands, "A .bak file")->required()->expected(1);
      sub->add_flag("-y,--yes", raw.yes, "Do not ask first");
      sub->add_flag("--keep-line-identity", raw.keepLineIdentity,
                    "Keep the unit's own number and line settings (parameters 0, 1, 2 are not written)");
      sub->add_flag("--verify", raw.verify, kVerifyHelp);
      break;
    case CliCommand::Watch:
      sub->add_option("WHAT", raw.operands, LiveColumnHelp());
      sub->add_option("--interval", raw.interval, "Milliseconds from one line to the next (default 200)");
      sub->add_option("--count", raw.count, "Stop after this many lines");
      break;
    case CliCommand::Send:
      sub->add_option("TEXT", raw.operands, "The command line, e.g. rt or \"rp 12\"")->required();
      break;
    case CliCommand::Diff:
      sub->add_option("A B", raw.operands, "device, defaults or a .vqp, .vqs or .bak file; B defaults to device")
          ->required()
          ->expected(1, 2);
      sub->add_flag("--all", raw.all, "List every compared value, not only those that differ");
      break;
  }
  return sub;
}

// The checks CLI11 cannot make: values, ranges, and what goes with what.
std::optional<std::string> Complete(const RawCall& raw, const CommandInfo& info, CliCall& call) {
  GlobalOptions& g = call.global;
  call.command = info.command;
  if (!raw.port.empty()) g.port = raw.port;
  if (!raw.baud.empty() && !(g.baudrate = Baudrate(raw.baud)))
    return "--baud " + raw.baud + ": not a baud rate (1200, 2400, 4800, 9600, 19200, 28800, 38400, 57600, 115200)";
  if (!raw.framing.empty() && !(g.framing = Framing(raw.framing)))
    return "--framing " + raw.framing + ": expected data bits 7 or 8, parity N, E or O, stop bits 1 or 2 (e.g. 8E1)";
  if (!raw.unit.empty() && !(g.unit = WholeNumber(raw.unit, 0, 31))) return "--unit " + raw.unit + ": expected 0..31";
  if (!raw.units.empty()) {
    const auto units = ParseUnitList(raw.units);
    if (!units) return "--units " + raw.units + ": expected units 0..31 as a list, e.g. 1,3,5-7";
    if (!info.manyUnits) return std::string("--units does not go with ") + info.name;
    if (g.unit) return "give either --unit or --units";
    g.units = *units;
  }
  const std::array<const char*, 3> languages = {"nl", "en", "de"};
  const auto language = std::find(languages.begin(), languages.end(), raw.language);
  if (language == languages.end()) return "--language " + raw.language + ": expected nl, en or de";
  g.language = static_cast<int>(language - languages.begin());
  g.config = raw.config;
  g.json = raw.json;
  g.quiet = raw.quiet;
  g.fast = raw.fast;
  g.log = raw.log;
  call.operands = raw.operands;
  call.output = raw.output;
  call.all = raw.all;
  call.raw = raw.raw;
  call.noCompute = raw.noCompute;
  call.yes = raw.yes;
  call.allFramings = raw.allFramings;
  call.changedOnly = raw.changedOnly;
  call.verify = raw.verify;
  call.keepLineIdentity = raw.keepLineIdentity;
  return std::nullopt;
}

std::optional<SideKind> DiffSide(const std::string& operand) {
  if (operand == "device") return SideKind::Device;
  if (operand == "defaults") return SideKind::Defaults;
  const std::string ext = FileExtension(operand);
  if (ext == "vqp") return SideKind::Parameters;
  if (ext == "vqs") return SideKind::Setpoints;
  if (ext == "bak") return SideKind::Both;
  return std::nullopt;
}

// Two sides must hold something in common, and the device can be one of
// them only: it is read once.
std::optional<std::string> CheckDiff(CliCall& call) {
  if (call.operands.size() == 1) call.operands.push_back("device");
  const auto a = DiffSide(call.operands[0]), b = DiffSide(call.operands[1]);
  for (std::size_t i = 0; i < 2; ++i)
    if (!(i == 0 ? a : b))
      return "diff " + call.operands[i] + ": expected device, defaults or a .vqp, .vqs or .bak file";
  if (*a == SideKind::Device && *b == SideKind::Device) return "diff: compare the device with a file or the defaults";
  const auto holdsParameters = [](SideKind k) { return k != SideKind::Setpoints; };
  const auto holdsSetpoints = [](SideKind k) { return k != SideKind::Defaults && k != SideKind::Parameters; };
  if (!(holdsParameters(*a) && holdsParameters(*b)) && !(holdsSetpoints(*a) && holdsSetpoints(*b)))
    return "diff " + call.operands[0] + " " + call.operands[1] + ": the two hold nothing in common";
  if (!call.global.units.empty() && *a != SideKind::Device && *b != SideKind::Device)
    return "--units goes with a diff against the device only";
  return std::nullopt;
}

std::optional<std::string> CheckOperands(const RawCall& raw, CliCall& call) {
  const bool manyUnits = !call.global.units.empty();
  switch (call.command) {
    case CliCommand::Get:
      if (call.all == !call.operands.empty()) return "get: give parameter numbers or --all";
      for (const std::string& n : call.operands)
        if (!WholeNumber(n, 0, kParameterCount - 1)) return "get " + n + ": expected a parameter number 0..315";
      break;
    case CliCommand::Set:
      for (const std::string& item : call.operands) {
        const std::size_t eq = item.find('=');
        if (eq == std::string::npos || !WholeNumber(item.substr(0, eq), 0, kParameterCount - 1))
          return "set " + item + ": expected N=VALUE with N a parameter number 0..315";
      }
      break;
    case CliCommand::Read:
    case CliCommand::Backup:
    case CliCommand::Report: {
      const std::string ext = FileExtension(call.output);
      if (call.command == CliCommand::Report && ext != "md" && ext != "json")
        return "report -o " + call.output + ": expected a .md (Markdown) or .json file";
      if (call.command == CliCommand::Backup && ext != "bak")
        return "backup -o " + call.output + ": the file must end in .bak";
      if (call.command == CliCommand::Read && ext != "vqp" && ext != "vqs" && ext != "bak")
        return "read -o " + call.output + ": expected a .vqp, .vqs or .bak file";
      if (manyUnits && call.output.find("{unit}") == std::string::npos)
        return "-o " + call.output + ": with --units the file name must hold {unit}";
      break;
    }
    case CliCommand::Write:
      if (const std::string ext = FileExtension(call.operands.front()); ext != "vqp" && ext != "vqs")
        return "write " + call.operands.front() + ": expected a .vqp or .vqs file";
      break;
    case CliCommand::Diff: return CheckDiff(call);
    case CliCommand::Scan:
      if (!raw.bauds.empty()) {
        std::stringstream list(raw.bauds);
        for (std::string item; std::getline(list, item, ',');) {
          const auto rate = Baudrate(item);
          if (!rate) return "--bauds " + raw.bauds + ": " + item + " is not a baud rate";
          call.bauds.push_back(*rate);
        }
      }
      break;
    case CliCommand::Watch:
      for (const std::string& what : call.operands)
        if (!FindLiveColumn(what)) return "watch " + what + ": not a live value (" + LiveColumnNames() + ")";
      if (!raw.interval.empty() && !(call.intervalMs = WholeNumber(raw.interval, 10, 3600000).value_or(0)))
        return "--interval " + raw.interval + ": expected milliseconds 10..3600000";
      if (!raw.count.empty()) {
        const auto count = WholeNumber(raw.count, 1, 999999999);
        if (!count) return "--count " + raw.count + ": expected a number of lines, at least 1";
        call.count = *count;
      }
      break;
    case CliCommand::Send: {
      std::string line;
      for (const std::string& word : call.operands) line += (line.empty() ? "" : " ") + word;
      call.operands = {line};
      break;
    }
    default: break;
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::vector<int>> ParseUnitList(const std::string& text) {
  std::vector<int> units;
  std::stringstream list(text);
  std::string item;
  while (std::getline(list, item, ',')) {
    const std::size_t dash = item.find('-');
    const auto first = WholeNumber(item.substr(0, dash), 0, 31);
    const auto last = dash == std::string::npos ? first : WholeNumber(item.substr(dash + 1), 0, 31);
    if (!first || !last || *last < *first) return std::nullopt;
    for (int u = *first; u <= *last; ++u) units.push_back(u);
  }
  if (units.empty() || text.back() == ',') return std::nullopt;
  std::sort(units.begin(), units.end());
  units.erase(std::unique(units.begin(), units.end()), units.end());
  return units;
}

ParsedCall ParseCommandLine(const std::vector<std::string>& arguments) {
  CLI::App app{"vq2x: the VQ2x service tool's device jobs for scripts, for one unit or a whole line.", "vq2x"};
  RawCall raw;
  app.set_version_flag("--version", std::string("vq2x ") + VersionText);
  app.add_option("-p,--port", raw.port, "COM1..COM16 (mapped as in application.ini) or a device path");
  app.add_option("-b,--baud", raw.baud, "Baud rate (default: application.ini)");
  app.add_option("--framing", raw.framing, "Data bits, parity N/E/O, stop bits, e.g. 8E1 (default: application.ini)");
  app.add_option("-u,--unit", raw.unit, "Unit number 0..31 (default: application.ini)");
  app.add_option("--units", raw.units, "Several units, e.g. 1,3,5-7");
  app.add_option("--config", raw.config, "Another application.ini");
  app.add_option("--language", raw.language, "Language of names and option texts: nl, en or de (default en)");
  app.add_flag("--json", raw.json, "Machine-readable output on stdout: one JSON document per command");
  app.add_flag("-q,--quiet", raw.quiet, "No progress display");
  app.add_flag("--fast", raw.fast, "Fast transfers: a reply ends at its line end, not after 50 ms of silence");
  app.add_option("--log", raw.log, "Write a transcript of every exchange on the line to this file");
  app.require_subcommand(1);
  std::vector<CLI::App*> subs;
  for (const CommandInfo& info : kCommands) subs.push_back(AddCommand(app, info, raw));

  ParsedCall parsed;
  std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());
  try {
    app.parse(reversed);
  } catch (const CLI::ParseError& e) {
    std::ostringstream out, err;
    const int code = app.exit(e, out, err);
    parsed.status = code == 0 ? kDone : kUsage;
    parsed.out = out.str();
    parsed.err = err.str();
    return parsed;
  }
  for (std::size_t i = 0; i < kCommands.size(); ++i) {
    if (!subs[i]->parsed()) continue;
    CliCall call;
    std::optional<std::string> why = Complete(raw, kCommands[i], call);
    if (!why) why = CheckOperands(raw, call);
    if (why) {
      parsed.status = kUsage;
      parsed.err = Usage(*why);
      return parsed;
    }
    parsed.call = std::move(call);
  }
  return parsed;
}
