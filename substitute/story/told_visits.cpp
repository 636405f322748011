#include "story/told_visits.h"

#include <algorithm>
#include <regex>
#include <sstream>

namespace world {

namespace {

const char* endingWords(Visit::Outcome outcome) {
  switch (outcome) {
    case Visit::Outcome::completed:
      return "is complete";
    case Visit::Outcome::givenUp:
      return "is given up";
    case Visit::Outcome::visitorGone:
      return "ends: the visitor is gone";
    case Visit::Outcome::dropped:
      return "is dropped";
    case Visit::Outcome::horseDead:
      return "ends: its horse is dead";
    case Visit::Outcome::leavingTimedOut:
      return "ends: the visitor did not leave within a minute";
    case Visit::Outcome::running:
      break;
  }
  return "running";
}

// The first difference between one visit as told and as followed; empty for none.
std::string differenceOf(const ToldVisit& told, const Visit& followed) {
  const auto among = [&](const std::string& spot) {
    return std::find(followed.spots.begin(), followed.spots.end(), spot) != followed.spots.end();
  };
  if (told.ped != followed.ped) return "its visitor is " + std::to_string(followed.ped);
  if (told.arrival != followed.arrival) return "it came " + followed.arrival;
  if (!among(told.sentTo)) return "it was sent to " + spotText(followed);
  if (told.arrivedAt.empty() == followed.arrived) return followed.arrived ? "it arrived" : "it never arrived";
  if (followed.arrived && !among(told.arrivedAt)) return "it arrived at " + spotText(followed);
  if (told.ending != endingWords(followed.outcome)) return std::string("it ") + endingWords(followed.outcome);
  return {};
}

}  // namespace

std::map<int, ToldVisit> visitsTold(std::string_view text) {
  static const std::regex sent(
      R"(  visit (\d+): (-?\d+), (on foot|hitched at a post|dismounted), is sent to (.+)$)");
  static const std::regex arrives(R"(  visit (\d+): -?\d+ arrives at (\S+) and starts )");
  static const std::regex ends(
      R"(  visit (\d+) (is complete|is given up|is dropped|ends: (?:the visitor is gone|its horse is dead|)"
      R"(the visitor did not leave within a minute)))");
  std::map<int, ToldVisit> visits;
  std::istringstream lines{std::string(text)};
  std::smatch found;
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (std::regex_search(line, found, sent)) {
      visits[std::stoi(found[1])] = {std::stoi(found[2]), found[3], found[4], {}, "running"};
    } else if (std::regex_search(line, found, arrives)) {
      visits[std::stoi(found[1])].arrivedAt = found[2];
    } else if (std::regex_search(line, found, ends)) {
      visits[std::stoi(found[1])].ending = found[2];
    }
  }
  return visits;
}

std::vector<std::string> spotsIn(const std::string& sentTo) {
  std::vector<std::string> names;
  const std::regex part("(?:, | or )?([^ ,]+)");
  for (auto each = std::sregex_iterator(sentTo.begin(), sentTo.end(), part); each != std::sregex_iterator();
       ++each) {
    const std::string name = (*each)[1];
    names.push_back(names.empty() ? name : names.front().substr(0, names.front().rfind('_')) + name);
  }
  return names;
}

std::vector<std::string> toldApart(const std::map<int, ToldVisit>& told, const std::vector<Visit>& followed) {
  std::vector<std::string> differences;
  for (const Visit& visit : followed) {
    const auto logged = told.find(visit.number);
    const std::string which = "visit " + std::to_string(visit.number) + " of " + std::to_string(visit.ped);
    if (logged == told.end()) {
      differences.push_back(which + " is not told");
    } else if (const std::string difference = differenceOf(logged->second, visit); !difference.empty()) {
      differences.push_back(which + " is told otherwise: " + difference);
    }
  }
  for (const auto& [number, visit] : told) {
    if (number < 1 || static_cast<size_t>(number) > followed.size()) {
      differences.push_back("visit " + std::to_string(number) + " of " + std::to_string(visit.ped) +
                            " is told but never began");
    }
  }
  return differences;
}

}  // namespace world
