// What a run of the simulated town shows: one line per event, with the game
// clock, and a summary. The game sees the orders and lines as they come; the
// beginning and end of each visit it reads from the plug-in's visit table
// after every pass, without changing it.
#pragma once

#include <cstdint>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "game/fake_game.h"
#include "world/sim_world.h"

namespace world {

struct Visit {
  enum class Outcome { running, completed, givenUp, dropped, visitorGone };

  int number = 0;
  std::string spot;
  int32_t visitor = 0;
  std::string arrival;  // "on foot", "hitched at a post", "dismounted"
  Outcome outcome = Outcome::running;
  bool leaving = false;  // released or ordered back onto its horse
  std::vector<Point> path;
};

struct Tally {
  int started = 0;
  int completed = 0;
  int givenUp = 0;
  int dropped = 0;
  int visitorGone = 0;
};

class Timeline {
 public:
  Timeline(const SimWorld& world, std::ostream& out);

  // Every native call the plug-in makes, as the game answers it.
  void observe(const substitute::NativeCall& call);
  // After every main-loop pass: visits begun and ended, and where visitors are.
  void afterPass();
  void printSummary(std::ostream& out, int64_t passes) const;

  const std::vector<Visit>& visits() const { return visits_; }

 private:
  void line(const std::string& text);
  Visit* visitOf(int32_t visitor);
  void begin(const std::string& spot, int32_t visitor);
  void end(Visit& visit);
  void speech(int32_t speaker, const std::string& line);

  const SimWorld& world_;
  std::ostream& out_;
  std::map<std::string, int32_t> seen_;        // the visit table as the last pass left it
  std::map<int32_t, std::string> gettingOff_;  // riders told to get off in this pass
  std::vector<Visit> visits_;
  std::map<int32_t, size_t> current_;  // visitor to its running visit
  int32_t lastVisitor_ = 0;            // whose visit the shopkeeper is speaking in
  Tally total_;
  std::map<std::string, Tally> perStore_;
  int greetings_ = 0;
  int thanks_ = 0;
  int farewells_ = 0;
  int weapons_ = 0;
  std::map<std::string, int> arrivals_;  // visits by how the visitor came
};

}  // namespace world
