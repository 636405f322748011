// A small simulated town that answers every native the plug-in calls as the
// game would: townsfolk who wander, some on horseback, some aggressive, some
// of the gang; a shopkeeper in each store that has one; hitching posts
// outside the general stores. A ped runs one task at a time, and every order
// replaces the task it runs at once, as in the game: a rider told to walk
// somewhere rides there and stays on its horse, and only a task sequence
// chains getting off and walking. Tasks take time: walking at 1.4 m/s,
// riding at 2.5 m/s, turning at a finite rate, getting off a horse and
// hitching it, a scenario for as long as its order says (the visit's hold
// test answers yes meanwhile), walking back to the horse and mounting,
// wandering off when let go. Speech lasts a moment. Everything follows from
// the seed.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "fake_game/fake_game.h"
#include "fake_game/town_world.h"
#include "town/rng.h"
#include "town/towns.h"

namespace world {

using substitute::Point;

struct WorldSettings {
  Town town;
  uint64_t seed = 1;
  int townsfolk = 40;
  int startMinute = 6 * 60;  // the game clock when the run begins
};

struct Task {
  enum class Kind { move, turn, getOff, mountUp, scenario, pause };
  Kind kind = Kind::pause;
  Point target;
  float heading = 0.0f;
  int32_t horse = 0;
  int32_t remaining = 0;    // ms, for the kinds that take a set time
  bool gettingOff = false;  // a step of getting off the horse: riding to the post, or getting off
  // A move, once it has begun: the way to the target, per metre gone, and the
  // metres left along the ground.
  bool begun = false;
  Point direction;
  float distanceLeft = 0.0f;
};

struct Person {
  int32_t handle = 0;
  std::string model;
  bool male = true;
  bool aggressive = false;
  bool gang = false;
  bool shopkeeper = false;
  bool alive = true;
  Point home;         // wanders around here
  float roam = 0.0f;  // this far
  Point position;
  float heading = 0.0f;
  int32_t horse = 0;  // its own horse, 0 for none
  bool riding = false;
  bool directed = false;  // following the plug-in's orders rather than its own mind
  bool held = false;      // the game holds it: what the visit's hold test answers
  float pace = 1.0f;      // below 1 for one that dawdles (an injured leg, a crowd in the way)
  int32_t idle = 0;       // ms a directed person has stood without orders
  int32_t speakingUntil = 0;
  std::deque<Task> tasks;

  bool playingScenario() const { return !tasks.empty() && tasks.front().kind == Task::Kind::scenario; }
};

struct Horse {
  int32_t handle = 0;
  Point position;
  bool alive = true;
  // Someone else rides it away, out of its rider's reach, until it is there.
  bool taken = false;
  Point takenTo;
};

struct Post {
  int32_t handle = 0;
  Point position;
};

struct Store {
  std::string name;  // a spot name without its running number: "VALENTINE_GUNSMITH"
  Point centre;
  int32_t keeper = 0;
  int32_t post = 0;
};

// What the game's gate natives and the lockdown global say.
struct Gates {
  bool playerGateClosed = false;
  bool gameGateClosed = false;
  bool positionGateClosed = false;
  uint32_t lockedDownRegion = 0;  // hash of a law region, 0 for none
};

class SimWorld {
 public:
  static constexpr int32_t player = 1;
  Gates gates;

  explicit SimWorld(const WorldSettings& settings);

  // Answers the plug-in's natives from this world from now on.
  void install(substitute::FakeGame& game);
  // Lets the world run on for a while of game time.
  void advance(int32_t milliseconds);

  int32_t now() const { return game_ ? game_->gameTime : 0; }
  // Game seconds since midnight, now or `later` ms of game time from now: one
  // game minute passes every 2 s of game time.
  int64_t clockSeconds(int32_t later = 0) const;
  int clockHour(int32_t later = 0) const { return static_cast<int>(clockSeconds(later) / 3600 % 24); }
  const Town& town() const { return settings_.town; }
  Point playerPosition() const { return settings_.town.standing; }

  const Person* person(int32_t handle) const;
  // Whether the ped still sits on its horse while it runs a step of getting
  // off: riding to a hitching post, or getting down.
  bool gettingOff(int32_t handle) const;
  bool playingScenario(int32_t handle) const;
  const std::map<int32_t, Person>& people() const { return people_; }
  const std::map<int32_t, Horse>& horses() const { return horses_; }
  bool exists(int32_t handle) const;

  // --- what a hostile game does to a plug-in (see town/chaos.h) ---
  // The player rides to another place; the townsfolk are found around it, the
  // stores and their keepers are that town's.
  void travelTo(const Town& town);
  void vanish(int32_t handle);  // a person or horse is gone; its handle may come back
  void kill(int32_t handle);
  // A new townsperson under the handle of one that vanished; false if none did.
  bool respawn();
  void hold(int32_t handle, bool held);
  void slowDown(int32_t handle, float pace);
  void speak(int32_t handle);
  // Someone rides the horse away: it stays alive, and its rider cannot get on.
  void takeAway(int32_t horse);
  const std::vector<Store>& stores() const { return stores_; }
  const std::vector<Post>& posts() const { return posts_; }
  // The text a game hash was made from, as far as anyone hashed it here.
  std::string nameOf(uint32_t hash) const;

 private:
  void placeStores();
  void placeTownsfolk();
  void step(Person& person, int32_t milliseconds);
  void moveTowards(Person& person, Task& move, float speed, int32_t milliseconds, bool& arrived);
  void wander(Person& person);
  void order(int32_t handle, std::deque<Task> tasks);
  std::deque<Task> tasksOf(const substitute::NativeCall& order) const;
  void moveTakenHorses(int32_t milliseconds);
  void installQuestions(substitute::FakeGame& game);
  void installOrders(substitute::FakeGame& game);
  Point positionOf(int32_t handle) const;
  Person newTownsperson(int32_t handle);
  std::vector<int32_t> peopleNear(int32_t handle) const;
  int32_t postNear(Point point, float radius) const;
  uint32_t hash(std::string_view name);

  WorldSettings settings_;
  Rng rng_;
  substitute::FakeGame* game_ = nullptr;
  std::map<int32_t, Person> people_;
  std::map<int32_t, Horse> horses_;
  std::vector<Post> posts_;
  std::vector<Store> stores_;
  std::map<uint32_t, std::string> names_;
  std::vector<int32_t> vanished_;  // handles the game may hand out again
  bool populated_ = false;         // the stores and townsfolk are placed at the first wait
};

// "hh:mm:ss" of game seconds since midnight.
std::string clockText(int64_t seconds);

}  // namespace world
