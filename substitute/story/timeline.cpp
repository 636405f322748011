#include "story/timeline.h"

#include <cstdio>

#include "town/store_spots.h"
#include "town/towns.h"

namespace world {

Timeline::Timeline(const SimWorld& world, std::ostream& out)
    : world_(world),
      out_(out),
      follower_(world, {.begun = [this](const Visit& visit) { begun(visit); },
                        .ended = [this](const Visit& visit) { ended(visit); }}) {}

void Timeline::line(const std::string& text) {
  out_ << clockText(world_.clockSeconds()) << "  " << text << '\n';
}

void Timeline::observe(const substitute::NativeCall& call) {
  for (const substitute::NativeCall& order : substitute::asPlayed(call)) tell(order);
}

void Timeline::tell(const substitute::NativeCall& call) {
  const std::string_view native = call.name();
  if (native == "speakWithParams") {
    speech(call.args[0].i(), call.args[1].text);
    return follower_.observe(call);
  }
  const int32_t ped = call.args.empty() ? 0 : call.args[0].i();
  const Visit* visit = follower_.runningVisitOf(ped);
  if (visit == nullptr) return follower_.observe(call);
  const std::string who = "visit " + std::to_string(visit->number) + ": " + std::to_string(ped);
  // The scenario begun may tell which of the spots that share a place it is.
  follower_.observe(call);
  if (native == "taskScenarioHere") {
    lastVisitor_ = ped;
    line(who + " arrives at " + spotText(*follower_.runningVisitOf(ped)) + " and starts " +
         world_.nameOf(call.args[1].u()));
  } else if (native == "giveWeapon") {
    ++weapons_;
    line(who + " is handed a " + world_.nameOf(call.args[1].u()));
  } else if (native == "taskMount") {
    line(who + " walks back to its horse");
  } else if (native == "releaseVisitor") {
    line(who + " is let go");
  }
}

void Timeline::speech(int32_t speaker, const std::string& text) {
  // A visitor's thanks, even a shopkeeper's on a visit.
  if (const Visit* visit = follower_.runningVisitOf(speaker)) {
    lastVisitor_ = speaker;
    ++thanks_;
    line("visit " + std::to_string(visit->number) + ": " + std::to_string(speaker) + " says \"" + text +
         "\"");
    return;
  }
  const Person* person = world_.person(speaker);
  if (person == nullptr || !person->shopkeeper) return;
  const Visit* visit = follower_.runningVisitOf(lastVisitor_);
  text == "FAREWELL" ? ++farewells_ : ++greetings_;
  const std::string store = visit ? storeOfSpot(visit->spots.front()) : "a store";
  line((visit ? "visit " + std::to_string(visit->number) + ": " : std::string()) + "the keeper of " + store +
       " says \"" + text + "\"");
}

void Timeline::begun(const Visit& visit) {
  seen_.resize(static_cast<size_t>(visit.number) + 1);
  ++total_.started;
  ++perStore_[storeOfSpot(visit.spots.front())].started;
  ++arrivals_[visit.arrival];
  passLines_.push_back("visit " + std::to_string(visit.number) + ": " + std::to_string(visit.ped) + ", " +
                       visit.arrival + ", is sent to " + spotText(visit));
}

namespace {

// The town whose spots include the spot, as the timeline writes it.
std::string_view townOfSpot(std::string_view spot) {
  for (const Town& town : towns()) {
    if (!town.key.empty() && liesIn(spot, town.key)) return town.display;
  }
  return "";
}

}  // namespace

void Timeline::ended(const Visit& visit) {
  const std::string number = "visit " + std::to_string(visit.number) + " ";
  Tally& store = perStore_[storeOfSpot(visit.spots.front())];
  switch (visit.outcome) {
    case Visit::Outcome::completed:
      ++total_.completed, ++store.completed;
      return passLines_.push_back(number + "is complete");
    case Visit::Outcome::visitorGone:
      ++total_.visitorGone, ++store.visitorGone;
      return passLines_.push_back(number + "ends: the visitor is gone");
    case Visit::Outcome::dropped:
      ++total_.dropped, ++store.dropped;
      return passLines_.push_back(number + "is dropped: the player left " +
                                  std::string(townOfSpot(visit.spots.front())));
    case Visit::Outcome::givenUp:
      ++total_.givenUp, ++store.givenUp;
      return passLines_.push_back(number + "is given up: " + std::to_string(visit.ped) + " did not reach " +
                                  spotText(visit) + " in time");
    case Visit::Outcome::horseDead:
      ++total_.horseDead;
      return passLines_.push_back(number + "ends: its horse is dead");
    case Visit::Outcome::leavingTimedOut:
      ++total_.leavingTimedOut;
      return passLines_.push_back(number + "ends: the visitor did not leave within a minute");
    case Visit::Outcome::running:
      return;
  }
}

// What the world shows of the running visits: a rider who has got off its
// horse, a visitor whose scenario, which held its visit, is over.
void Timeline::watchVisitors() {
  for (const Visit& visit : follower_.visits()) {
    if (visit.outcome != Visit::Outcome::running || seen_.size() <= static_cast<size_t>(visit.number))
      continue;
    const Person* visitor = world_.person(visit.ped);
    Seen& seen = seen_[static_cast<size_t>(visit.number)];
    if (visitor == nullptr || !visitor->alive) continue;
    const std::string who = "visit " + std::to_string(visit.number) + ": " + std::to_string(visit.ped);
    if (visit.arrival != "on foot" && !seen.offItsHorse && !visitor->riding) {
      seen.offItsHorse = true;
      ++ridersOff_;
      line(who + " is off its horse");
    }
    if (visit.arrived && !seen.scenarioOver && !world_.playingScenario(visit.ped)) {
      seen.scenarioOver = true;
      line(who + " finishes its scenario, which held the visit");
    }
  }
}

void Timeline::afterPass() {
  follower_.afterPass();
  for (const std::string& text : passLines_) line(text);
  passLines_.clear();
  watchVisitors();
}

void Timeline::printSummary(std::ostream& out, int64_t passes) const {
  char row[160];
  auto print = [&out, &row](const char* format, auto... values) {
    std::snprintf(row, sizeof row, format, values...);
    out << row << '\n';
  };
  const int running = total_.started - total_.completed - total_.givenUp - total_.dropped -
                      total_.visitorGone - total_.horseDead - total_.leavingTimedOut;
  out << "\nSummary\n";
  print("  passes run             %8lld", static_cast<long long>(passes));
  print("  visits started         %8d", total_.started);
  for (const char* arrival : {"on foot", "hitched at a post", "dismounted"}) {
    const auto count = arrivals_.find(arrival);
    print("    %-20s %8d", arrival, count == arrivals_.end() ? 0 : count->second);
  }
  print("  riders off their horses %7d", ridersOff_);
  print("  visits completed       %8d", total_.completed);
  print("  walks given up         %8d", total_.givenUp);
  print("  visits dropped         %8d", total_.dropped);
  print("  visitors gone          %8d", total_.visitorGone);
  print("  horses dead at leaving %8d", total_.horseDead);
  print("  leavings timed out     %8d", total_.leavingTimedOut);
  print("  still running at end   %8d", running);
  print("  greetings              %8d", greetings_);
  print("  thanks                 %8d", thanks_);
  print("  farewells              %8d", farewells_);
  print("  weapons handed out     %8d", weapons_);
  out << "  per store                  started completed given up  dropped\n";
  for (const auto& [store, tally] : perStore_) {
    print("    %-26s %6d %9d %8d %8d", store.c_str(), tally.started, tally.completed, tally.givenUp,
          tally.dropped);
  }
}

}  // namespace world
