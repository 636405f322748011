#include "world/timeline.h"

#include <cstdio>

#include "visit/visit_tables.h"
#include "world/plugin_handles.h"

namespace world {

Timeline::Timeline(const SimWorld& world, std::ostream& out) : world_(world), out_(out) {}

void Timeline::line(const std::string& text) {
  out_ << clockText(world_.clockSeconds()) << "  " << text << '\n';
}

Visit* Timeline::visitOf(int32_t visitor) {
  const auto found = current_.find(visitor);
  return found == current_.end() ? nullptr : &visits_[found->second];
}

void Timeline::observe(const substitute::NativeCall& call) {
  const std::string_view native = call.name();
  if (native == "speakWithParams") return speech(call.args[0].i(), call.args[1].text);
  const int32_t ped = call.args.empty() ? 0 : call.args[0].i();
  if (native == "taskHitch") gettingOff_[ped] = "hitched at a post";
  if (native == "taskDismount") gettingOff_[ped] = "dismounted";
  Visit* visit = visitOf(ped);
  if (visit == nullptr) return;
  const std::string who = "visit " + std::to_string(visit->number) + ": " + std::to_string(ped);
  if (native == "taskScenarioHere") {
    lastVisitor_ = ped;
    line(who + " arrives and starts " + world_.nameOf(call.args[1].u()));
  } else if (native == "giveWeapon") {
    ++weapons_;
    line(who + " is handed a " + world_.nameOf(call.args[1].u()));
  } else if (native == "taskMount") {
    visit->leaving = true;
    line(who + " walks back to its horse");
  } else if (native == "releaseVisitor") {
    visit->leaving = true;
    line(who + " is let go");
  }
}

void Timeline::speech(int32_t speaker, const std::string& text) {
  if (const Visit* visit = visitOf(speaker)) {  // a visitor's thanks, even a shopkeeper's on a visit
    lastVisitor_ = speaker;
    ++thanks_;
    line("visit " + std::to_string(visit->number) + ": " + std::to_string(speaker) + " says \"" + text +
         "\"");
    return;
  }
  const Person* person = world_.person(speaker);
  if (person == nullptr || !person->shopkeeper) return;
  const Visit* visit = visitOf(lastVisitor_);
  text == "FAREWELL" ? ++farewells_ : ++greetings_;
  const std::string store = visit ? storeOfSpot(visit->spot) : "a store";
  line((visit ? "visit " + std::to_string(visit->number) + ": " : std::string()) + "the keeper of " + store +
       " says \"" + text + "\"");
}

void Timeline::begin(const std::string& spot, int32_t visitor) {
  Visit visit;
  visit.number = static_cast<int>(visits_.size()) + 1;
  visit.spot = spot;
  visit.visitor = visitor;
  const auto gotOff = gettingOff_.find(visitor);
  visit.arrival = gotOff == gettingOff_.end() ? "on foot" : gotOff->second;
  current_[visitor] = visits_.size();
  visits_.push_back(visit);
  ++total_.started;
  ++perStore_[storeOfSpot(spot)].started;
  ++arrivals_[visit.arrival];
  line("visit " + std::to_string(visit.number) + ": " + std::to_string(visitor) + ", " + visit.arrival +
       ", is sent to " + spot);
}

void Timeline::end(Visit& visit) {
  const std::string number = "visit " + std::to_string(visit.number) + " ";
  Tally& store = perStore_[storeOfSpot(visit.spot)];
  const bool inItsTown =
      !world_.town().key.empty() && visit.spot.starts_with(std::string(world_.town().key) + "_");
  if (visit.leaving) {
    visit.outcome = Visit::Outcome::completed;
    ++total_.completed, ++store.completed;
    line(number + "is complete");
  } else if (world_.person(visit.visitor) == nullptr) {
    visit.outcome = Visit::Outcome::visitorGone;
    ++total_.visitorGone, ++store.visitorGone;
    line(number + "ends: the visitor is gone");
  } else if (!inItsTown) {
    visit.outcome = Visit::Outcome::dropped;
    ++total_.dropped, ++store.dropped;
    line(number + "is dropped: the player left its town");
  } else {
    visit.outcome = Visit::Outcome::givenUp;
    ++total_.givenUp, ++store.givenUp;
    line(number + "is given up: " + std::to_string(visit.visitor) + " did not reach " + visit.spot +
         " in time");
  }
  current_.erase(visit.visitor);
}

void Timeline::afterPass() {
  const auto& visitors = quillhaven::SpotVisitors;
  for (auto& [spot, visitor] : seen_) {
    const auto now = visitors.find(spot);
    if (now != visitors.end() && handleOf(now->second) == visitor) continue;
    if (Visit* visit = visitOf(visitor)) end(*visit);
  }
  for (const auto& [spot, visitor] : visitors) {
    const auto before = seen_.find(spot);
    if (before == seen_.end() || before->second != handleOf(visitor)) begin(spot, handleOf(visitor));
  }
  seen_.clear();
  for (const auto& [spot, visitor] : visitors) seen_.emplace(spot, handleOf(visitor));
  gettingOff_.clear();
  for (auto& [visitor, index] : current_) {
    if (const Person* person = world_.person(visitor)) visits_[index].path.push_back(person->position);
  }
}

void Timeline::printSummary(std::ostream& out, int64_t passes) const {
  char row[160];
  auto print = [&out, &row](const char* format, auto... values) {
    std::snprintf(row, sizeof row, format, values...);
    out << row << '\n';
  };
  const int running =
      total_.started - total_.completed - total_.givenUp - total_.dropped - total_.visitorGone;
  out << "\nSummary\n";
  print("  passes run             %8lld", static_cast<long long>(passes));
  print("  visits started         %8d", total_.started);
  for (const char* arrival : {"on foot", "hitched at a post", "dismounted"}) {
    const auto count = arrivals_.find(arrival);
    print("    %-20s %8d", arrival, count == arrivals_.end() ? 0 : count->second);
  }
  print("  visits completed       %8d", total_.completed);
  print("  walks given up         %8d", total_.givenUp);
  print("  visits dropped         %8d", total_.dropped);
  print("  visitors gone          %8d", total_.visitorGone);
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
