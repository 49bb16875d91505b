#include "SimOptions.h"

#include <cstdlib>
#include <set>

#include "ControlCommand.h"

namespace {

const char* const UsageHead =
    "Usage: vq2x-sim (--pty | --device PATH) [options]\n"
    "\n"
    "Simulates VQ2x position and cam controllers on a serial line.\n"
    "\n"
    "Line:\n"
    "  --pty                 create a pseudo-terminal; its slave path (e.g. /dev/pts/5)\n"
    "                        is the first line on standard output. The line settings\n"
    "                        the tool sets on the slave (baud rate, parity, stop bits)\n"
    "                        decide which units hear it.\n"
    "  --device PATH         serve a real serial device instead\n"
    "  --line B,P,D,S        framing of --device, e.g. 9600,N,8,1 (default: 9600,N,8,1)\n"
    "  --unit N:TYPE[:BAUD[:STOPBITS[:PARITY]]]\n"
    "                        a unit on the line (repeatable), e.g. --unit 0:VQ22\n"
    "                        --unit 7:VQ20:19200:2. Without BAUD it answers at any\n"
    "                        rate, without STOPBITS / PARITY (N, E, O) at any.\n"
    "                        Default: one unit 0:VQ22.\n"
    "\n"
    "Device:\n"
    "  --catalogue PATH      Parameters.txt: its min/max/default replace the built-in\n"
    "                        limits and defaults\n"
    "  --state FILE          keep parameters, setpoints and EEPROM calibration words\n"
    "                        of every unit in FILE (written atomically after changes)\n"
    "  --motion KIND:FROM:TO:PERIOD\n"
    "                        axis motion in encoder counts: triangle, sine or\n"
    "                        sawtooth with the period in seconds, or still:COUNT\n"
    "                        (default triangle:0:10000:20)\n"
    "  --analog-in V:MA      signal at the analog input (default 5:12)\n"
    "  --long-reply          \"rh\" answers with more than 100 bytes\n"
    "  --clamp               \"wp\" of a value beyond its limits stores the nearest\n"
    "                        limit and answers as if it had taken the value (instead\n"
    "                        of \"er 7\"), as a device that clamps without a word\n"
    "\n"
    "Timing and faults:\n"
    "  --reply-delay MS      from the CR to the first reply byte (default 2)\n"
    "  --burst K:GAP         send replies in bursts of K bytes, GAP ms apart\n"
    "  --wire-time           take as long as a serial line would at the settings the\n"
    "                        tool set. A character is 1 start bit + the data bits +\n"
    "                        a parity bit (unless N) + the stop bits at the baud\n"
    "                        rate. Each received byte ends one character time after\n"
    "                        the one before, or after it came in if later; a command\n"
    "                        acts when its CR has ended and its reply starts\n"
    "                        --reply-delay later; each reply byte is sent when its\n"
    "                        last bit would arrive, one character time after the one\n"
    "                        before (with --burst the gap follows a burst's last\n"
    "                        byte). Noise is not paced. Meant for --pty: a real\n"
    "                        device's line takes that time itself.\n"
    "  --wire-parity P       parity (N, E or O) that --wire-time counts instead of\n"
    "                        the line's: a pty cannot keep the parity the tool sets\n"
    "                        (Linux reports every pty as 8 data bits, no parity)\n"
    "  --silent N            no reply to the next N commands\n"
    "  --garble N            garbled reply to the next N commands\n"
    "  --double N            the next N replies are sent twice, back to back\n"
    "  --noise PER_MIN       random bursts of 1..4 stray bytes, on average per minute\n"
    "  --faults LIST         random faults, each in a percentage of the replies, e.g.\n"
    "                        garble=1,silent=1,late=1,split=1,double=1 (decimals allowed):\n"
    "                        garble: garbled reply; silent: the command acts, no reply;\n"
    "                        late: the first byte 300 ms after the tool's time-out for\n"
    "                        the command (after 1300 ms for rp and rs, 2300 ms for bp,\n"
    "                        600 ms for the rest); split: two bursts 80 ms apart;\n"
    "                        double: the reply twice\n"
    "  --seed N              seed of the noise and the random faults (default 1)\n"
    "\n"
    "Control:\n"
    "  --log FILE            log every command, reply and line-settings change:\n"
    "                        HH:MM:SS.mmm rx \"sc 0\\r\" / tx \"sc 0\\r\\n\" / line 9600 8 N 1\n"
    "  --script FILE         timed operator commands, one per line: SECONDS COMMAND\n"
    "  --replay FILE         answer from a traffic transcript of the tool (vq2x --log,\n"
    "                        \"Log all traffic\"): each command gets the reply recorded\n"
    "                        for it, in the order they occurred; a recorded time-out\n"
    "                        is silence, and so is a command with nothing recorded\n"
    "                        left (the log notes it). The units are not used.\n"
    "  --no-stdin            do not read operator commands from standard input\n"
    "  --help, --version\n"
    "\n"
    "Operator commands (standard input or script):\n";

const char* const UsageTail =
    "\n"
    "Device replies: every command is answered with its code, a blank, the value\n"
    "and CR LF (\"rp 12 1500\"). \"er 1\": unknown command; \"er 2\": argument\n"
    "missing, extra or not a whole number; \"er 7\": number or value out of range.\n"
    "Only the unit selected with \"sc N\" answers; \"sc\" for a unit that is not on\n"
    "the line deselects all and gets no reply. \"wp\" stores a parameter, \"bp\"\n"
    "checks the stored set and takes it over; its answer is -1 or the first\n"
    "failed check: 1 more than 30 linearisation points, 2 linearisation X values\n"
    "not ascending (while parameter 246 is not 0), 3 a cam in use on an output\n"
    "other than 1..4, 4 a cam function outside 0..5, 5 a cam setpoint selection\n"
    "outside 0..24, 6 analog output on with parameter 235 equal to 236, 7\n"
    "linearisation mode or source outside 0..2, 8 a value outside its limits.\n"
    "\"rf\": -1, or 10 SSI encoder no signal, 11 SSI data error, 12 position outside\n"
    "the measuring range (parameters 209..210); \"wf\" clears an encoder fault and\n"
    "answers the error number left. Parameters written with \"wp\" act after \"bp\";\n"
    "setpoints (\"ws\") and calibration words (\"kw\") act at once, and the words\n"
    "survive a restart only once stored with \"ks\" (answer -1).\n";

struct Parser {
  const std::vector<std::string>& arguments;
  std::size_t index = 0;
  std::string* error;

  bool Fail(const std::string& message) {
    if (error) *error = message;
    return false;
  }

  bool Value(const std::string& option, std::string* value) {
    if (index + 1 >= arguments.size()) return Fail(option + " needs a value");
    *value = arguments[++index];
    return true;
  }

  bool Int(const std::string& option, int minimum, int* value) {
    std::string text;
    if (!Value(option, &text)) return false;
    char* end = nullptr;
    long parsed = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || parsed < minimum || parsed > 1000000)
      return Fail(option + ": not a whole number from " + std::to_string(minimum) + ": " + text);
    *value = static_cast<int>(parsed);
    return true;
  }

  bool TwoNumbers(const std::string& option, double* first, double* second) {
    std::string text;
    if (!Value(option, &text)) return false;
    char* end = nullptr;
    *first = std::strtod(text.c_str(), &end);
    if (end == text.c_str() || *end != ':') return Fail(option + ": expected A:B, got " + text);
    const char* rest = end + 1;
    *second = std::strtod(rest, &end);
    if (end == rest || *end != '\0') return Fail(option + ": expected A:B, got " + text);
    return true;
  }
};

bool ParseOne(Parser& p, SimOptions& o) {
  const std::string& option = p.arguments[p.index];
  std::string text;
  int number = 0;
  double a = 0, b = 0;
  if (option == "--pty") o.usePty = true;
  else if (option == "--device") return p.Value(option, &o.devicePath);
  else if (option == "--line") {
    if (!p.Value(option, &text)) return false;
    auto line = ParseLineSettings(text);
    if (!line) return p.Fail("--line: expected e.g. 9600,N,8,1, got " + text);
    o.deviceLine = *line;
  } else if (option == "--unit") {
    if (!p.Value(option, &text)) return false;
    std::string why;
    auto unit = ParseUnitConfig(text, &why);
    if (!unit) return p.Fail("--unit " + text + ": " + why);
    o.units.push_back(*unit);
  } else if (option == "--catalogue") return p.Value(option, &o.cataloguePath);
  else if (option == "--state") return p.Value(option, &o.statePath);
  else if (option == "--log") return p.Value(option, &o.logPath);
  else if (option == "--script") return p.Value(option, &o.scriptPath);
  else if (option == "--replay") return p.Value(option, &o.replayPath);
  else if (option == "--motion") {
    if (!p.Value(option, &text)) return false;
    auto motion = MotionProfile::Parse(text);
    if (!motion) return p.Fail("--motion: expected KIND:FROM:TO:PERIOD or still:COUNT, got " + text);
    o.motion = *motion;
  } else if (option == "--analog-in") {
    if (!p.TwoNumbers(option, &a, &b)) return false;
    o.analogInVolts = a;
    o.analogInMilliamps = b;
  } else if (option == "--long-reply") o.longIdentification = true;
  else if (option == "--clamp") o.clampWrites = true;
  else if (option == "--reply-delay") return p.Int(option, 0, &o.faults.replyDelayMs);
  else if (option == "--burst") {
    if (!p.TwoNumbers(option, &a, &b) || a < 1 || b < 0) return p.Fail("--burst: expected K:GAP, K at least 1");
    o.faults.burstSize = static_cast<int>(a);
    o.faults.burstGapMs = static_cast<int>(b);
  } else if (option == "--wire-time") o.faults.wireTime = true;
  else if (option == "--wire-parity") {
    if (!p.Value(option, &text)) return false;
    if (text != "N" && text != "E" && text != "O") return p.Fail("--wire-parity: expected N, E or O, got " + text);
    o.faults.wireParity = text[0];
  }
  else if (option == "--silent") return p.Int(option, 0, &o.faults.silentCommands);
  else if (option == "--garble") return p.Int(option, 0, &o.faults.garbledCommands);
  else if (option == "--double") return p.Int(option, 0, &o.faults.doubledReplies);
  else if (option == "--faults") {
    if (!p.Value(option, &text)) return false;
    auto random = ParseRandomFaults(text, p.error);
    if (!random) return false;
    o.faults.random = *random;
  } else if (option == "--noise") {
    if (!p.Int(option, 0, &number)) return false;
    o.faults.noisePerMinute = number;
  } else if (option == "--seed") {
    if (!p.Int(option, 0, &number)) return false;
    o.seed = static_cast<unsigned>(number);
  } else if (option == "--no-stdin") o.readStdin = false;
  else if (option == "--help" || option == "-h") o.showHelp = true;
  else if (option == "--version") o.showVersion = true;
  else return p.Fail("unknown option " + option + " (see --help)");
  return true;
}

bool CheckUnits(SimOptions& o, std::string* error) {
  if (o.units.empty()) o.units.push_back(UnitConfig{});
  std::set<int> numbers;
  for (const UnitConfig& unit : o.units) {
    if (numbers.insert(unit.number).second) continue;
    if (error) *error = "unit " + std::to_string(unit.number) + " given twice";
    return false;
  }
  return true;
}

}  // namespace

std::optional<SimOptions> ParseSimOptions(const std::vector<std::string>& arguments, std::string* error) {
  SimOptions options;
  Parser parser{arguments, 0, error};
  for (; parser.index < arguments.size(); ++parser.index)
    if (!ParseOne(parser, options)) return std::nullopt;
  if (options.showHelp || options.showVersion) return options;
  if (options.usePty == !options.devicePath.empty()) {
    if (error) *error = "give either --pty or --device PATH (see --help)";
    return std::nullopt;
  }
  if (!CheckUnits(options, error)) return std::nullopt;
  return options;
}

std::string SimUsage() { return std::string(UsageHead) + ControlCommandHelp + UsageTail; }
