// The command line of quillhaven-sim.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sim {

struct Options {
  std::string town = "valentine";
  uint64_t seed = 1;
  double hours = 24.0;
  int startMinute = 6 * 60;
  int townsfolk = 40;
  std::string svgFile;
  bool trace = false;
  bool help = false;
  bool version = false;
};

// The options, or a message saying what is wrong with them.
struct Parsed {
  std::optional<Options> options;
  std::string error;
};

Parsed parseOptions(const std::vector<std::string>& arguments);
std::string usage();

}  // namespace sim
