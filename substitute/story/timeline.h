// What a run of the simulated town shows: one line per event, with the game
// clock, and a summary. The orders and lines come as the game sees them; the
// beginning and end of each visit as the calls and the world show them (see
// story/visit_follower.h), never from the plug-in's own books.
#pragma once

#include <cstdint>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "fake_game/fake_game.h"
#include "story/visit_follower.h"
#include "town/sim_world.h"

namespace world {

struct Tally {
  int started = 0;
  int completed = 0;
  int givenUp = 0;
  int dropped = 0;
  int visitorGone = 0;
  int horseDead = 0;        // let go at leaving: its horse had died
  int leavingTimedOut = 0;  // let go at leaving: it was not getting away
};

class Timeline {
 public:
  Timeline(const SimWorld& world, std::ostream& out);

  // Every native call the plug-in makes, as the game answers it.
  void observe(const substitute::NativeCall& call);
  // The main loop waits between passes; the world has not moved on yet.
  void afterPass();
  // The world has moved on by one of the script's waits, all but the game's
  // timer, which moves on as the script resumes.
  void afterWait(uint32_t milliseconds) { follower_.afterWait(milliseconds); }
  void printSummary(std::ostream& out, int64_t passes) const;

  const std::vector<Visit>& visits() const { return follower_.visits(); }

 private:
  void tell(const substitute::NativeCall& order);
  void watchVisitors();
  void line(const std::string& text);
  void begun(const Visit& visit);
  void ended(const Visit& visit);
  void speech(int32_t speaker, const std::string& line);

  const SimWorld& world_;
  std::ostream& out_;
  VisitFollower follower_;
  // The visits begun and ended in the pass under way, written when it ends:
  // the ends first, in the order the pass came to them.
  std::vector<std::string> passLines_;
  int32_t lastVisitor_ = 0;  // whose visit the shopkeeper is speaking in
  Tally total_;
  std::map<std::string, Tally> perStore_;
  int greetings_ = 0;
  int thanks_ = 0;
  int farewells_ = 0;
  int weapons_ = 0;
  std::map<std::string, int> arrivals_;  // visits by how the visitor came
  // What watchVisitors has told of each visit, by its number.
  struct Seen {
    bool offItsHorse = false;
    bool scenarioOver = false;
  };
  std::vector<Seen> seen_;
  int ridersOff_ = 0;
};

}  // namespace world
