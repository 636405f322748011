// quillhaven-dst: the plug-in against thousands of seeded, hostile worlds.
//
// Each seed makes a world of its own (a town, a crowd, a start time, a
// Quillhaven.ini variant) and runs it with the plug-in started afresh: on
// Linux the plug-in's library in a fresh process, since its tables live as
// long as the library; on Windows (quillhaven-dst.exe) the shipped
// Quillhaven.asi beside the program, loaded anew for each world. The world
// checks the plug-in's books after every pass, and the first call the game
// rejects ends it. A failure prints the seed, the pass, the faults the world
// drew and a command that replays it.
#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "dst_fleet.h"
#include "dst_world.h"

namespace {

constexpr double mostHours = 24.0 * 7;  // the game timer wraps after 596 hours

const char* const usage =
    "Usage: quillhaven-dst [--seeds A-B | --seed N | --soak N] [--hours H] [--jobs J] [--report all]\n"
    "Runs the plug-in in seeded worlds that fault at every turn (journeys, gates, lockdowns, peds\n"
    "vanishing, dying and coming back under reused handles, horses lost, holds, talking shopkeepers,\n"
    "settings variants), the plug-in started afresh for each, checking its books after every pass.\n"
    "The first native call the game rejects ends a world as a violation.\n"
    "\n"
    "  --seeds A-B     run seeds A to B (default 1-100)\n"
    "  --seed N        run one seed and show its report (the replay of a failure)\n"
    "  --soak N        run N seeds from 1\n"
    "  --hours H       game hours per world (default 4, at most 168)\n"
    "  --jobs J        worlds run at once (default: the machine's cores); on Windows one world\n"
    "                  runs at a time, whatever J says, as each loads the plug-in into this process\n"
    "  --report all    a report line for every world of the range, not only for the failed:\n"
    "                  seed, town, townsfolk, start, settings, passes, violations, trace digest\n"
    "  --every-native  fail unless some world of the range calls every native of the game\n"
    "  --ini-line L    add the line L to every world's Quillhaven.ini, after the seed's own lines\n"
    "                  (a world without one gets a [General] section of such lines); repeatable,\n"
    "                  for example --ini-line Log=1\n"
    "  --world N       run seed N's world in this process, beside its Quillhaven.ini\n"
    "  --trace         with --seed or --world: print every native call, pass by pass, with the\n"
    "                  values the trace digest takes from it\n";

bool parseWhole(const std::string& text, uint64_t& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

int refuse(const std::string& message) {
  std::fprintf(stderr, "quillhaven-dst: %s\nTry 'quillhaven-dst --help'.\n", message.c_str());
  return 2;
}

bool takesAValue(const std::string& option) {
  return option == "--seeds" || option == "--seed" || option == "--soak" || option == "--hours" ||
         option == "--jobs" || option == "--world" || option == "--report" || option == "--ini-line";
}

}  // namespace

int main(int argc, char** argv) {
  dst::FleetOptions options;
  options.self = dst::thisProgram();
  options.jobs = std::max(1u, std::thread::hardware_concurrency());
  uint64_t worldSeed = 0;
  bool oneWorld = false;
  bool trace = false;
  for (int index = 1; index < argc; ++index) {
    const std::string option = argv[index];
    if (option == "--help") {
      std::fputs(usage, stdout);
      return 0;
    }
    if (option == "--trace" || option == "--every-native") {
      (option == "--trace" ? trace : options.everyNative) = true;
      continue;
    }
    if (!takesAValue(option)) return refuse("unknown option '" + option + "'");
    if (index + 1 == argc) return refuse(option + " needs a value");
    const std::string value = argv[++index];
    uint64_t number = 0;
    if (option == "--seeds") {
      const size_t dash = value.find('-');
      if (dash == std::string::npos || !parseWhole(value.substr(0, dash), options.first) ||
          !parseWhole(value.substr(dash + 1), options.last) || options.first > options.last) {
        return refuse("--seeds takes a range A-B, not '" + value + "'");
      }
    } else if (option == "--ini-line") {
      if (value.find_first_of("\r\n") != std::string::npos) return refuse("--ini-line takes one line");
      options.iniLines.push_back(value);
    } else if (option == "--report") {
      if (value != "all" && value != "failed")
        return refuse("--report takes all or failed, not '" + value + "'");
      options.reportAll = value == "all";
    } else if (option == "--hours") {
      char* end = nullptr;
      options.hours = std::strtod(value.c_str(), &end);
      if (*end != '\0' || !(options.hours > 0.0) || options.hours > mostHours) {
        return refuse("--hours takes a number above 0 and up to 168, not '" + value + "'");
      }
    } else {
      if (!parseWhole(value, number) || (number == 0 && option != "--seed" && option != "--world")) {
        return refuse(option + " takes a whole number, not '" + value + "'");
      }
      if (option == "--seed") options.first = options.last = number;
      if (option == "--soak") options.first = 1, options.last = number;
      if (option == "--world") oneWorld = true, worldSeed = number;
      if (option == "--jobs") options.jobs = static_cast<unsigned>(number);
    }
  }
#if defined(_WIN32)
  // Each world loads the plug-in into this process and enters its own folder:
  // the plug-in, the host and the current folder are the whole process's.
  options.jobs = 1;
#endif
  if (oneWorld) return dst::runWorld(worldSeed, options.hours, trace);
  if (options.first == options.last) return dst::runOneSeed(options, trace);
  return dst::runSeeds(options);
}
