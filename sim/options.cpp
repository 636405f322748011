#include "options.h"

#include <charconv>
#include <optional>

#include "town/towns.h"

namespace sim {

namespace {

// Bounds on what a run may ask for: a week of game time and a crowd that
// still fits the game's nearby list several times over.
constexpr double mostHours = 24.0 * 7;
constexpr int mostTownsfolk = 500;

template <typename Number>
bool parseNumber(const std::string& text, Number& value) {
  const char* end = text.data() + text.size();
  const auto [stopped, error] = std::from_chars(text.data(), end, value);
  return error == std::errc() && stopped == end;
}

bool parseClock(const std::string& text, int& minute) {
  int hours = 0;
  int minutes = 0;
  const size_t colon = text.find(':');
  if (colon == std::string::npos || !parseNumber(text.substr(0, colon), hours) ||
      !parseNumber(text.substr(colon + 1), minutes) || colon + 3 != text.size()) {
    return false;
  }
  if (hours < 0 || hours > 23 || minutes < 0 || minutes > 59) return false;
  minute = hours * 60 + minutes;
  return true;
}

std::string townNames() {
  std::string names;
  for (const world::Town& town : world::towns())
    names += (names.empty() ? "" : ", ") + std::string(town.name);
  return names;
}

}  // namespace

std::string usage() {
  return "Usage: quillhaven-sim [options]\n"
         "Runs the Quillhaven plug-in in a simulated town and prints what happens, one line per event\n"
         "with the game clock, then a summary. Quillhaven.ini is read from the current folder, as the\n"
         "game reads it from its own.\n"
         "\n"
         "  --town NAME     where the player stands (default valentine): " +
         townNames() +
         "\n"
         "  --seed N        the seed of the whole run; the same seed prints the same (default 1)\n"
         "  --hours H       game hours to simulate, up to 168 (default 24)\n"
         "  --start HH:MM   the game clock at the start (default 06:00)\n"
         "  --peds N        townsfolk around the player, 0 to 500 (default 40)\n"
         "  --svg FILE      also draw the town from above, with every visitor's path, into FILE\n"
         "  --trace         print every native call the plug-in makes, with its arguments\n"
         "  --version       show the version of Quillhaven\n"
         "  --help          show this text\n"
         "\n"
         "The wall time and the speed of the run go to standard error.\n";
}

Parsed parseOptions(const std::vector<std::string>& arguments) {
  Options options;
  auto fail = [](std::string message) { return Parsed{std::nullopt, std::move(message)}; };
  for (size_t index = 0; index < arguments.size(); ++index) {
    const std::string& option = arguments[index];
    if (option == "--help" || option == "-h") {
      options.help = true;
      continue;
    }
    if (option == "--version") {
      options.version = true;
      continue;
    }
    if (option == "--trace") {
      options.trace = true;
      continue;
    }
    const bool takesValue = option == "--town" || option == "--seed" || option == "--hours" ||
                            option == "--start" || option == "--peds" || option == "--svg";
    if (!takesValue) return fail("unknown option '" + option + "'");
    if (index + 1 == arguments.size()) return fail(option + " needs a value");
    const std::string& value = arguments[++index];
    if (option == "--town") {
      const std::optional<world::Town> town = world::townNamed(value);
      if (!town) return fail("no town '" + value + "'; the towns are " + townNames());
      options.town = town->name;
    } else if (option == "--seed") {
      if (!parseNumber(value, options.seed)) return fail("--seed takes a whole number, not '" + value + "'");
    } else if (option == "--hours") {
      if (!parseNumber(value, options.hours) || !(options.hours > 0.0) || options.hours > mostHours) {
        return fail("--hours takes a number of hours above 0 and up to 168, not '" + value + "'");
      }
    } else if (option == "--start") {
      if (!parseClock(value, options.startMinute))
        return fail("--start takes a clock time HH:MM, not '" + value + "'");
    } else if (option == "--peds") {
      if (!parseNumber(value, options.townsfolk) || options.townsfolk < 0 ||
          options.townsfolk > mostTownsfolk) {
        return fail("--peds takes a number from 0 to 500, not '" + value + "'");
      }
    } else {
      options.svgFile = value;
    }
  }
  return Parsed{options, ""};
}

}  // namespace sim
