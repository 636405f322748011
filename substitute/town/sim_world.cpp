#include "town/sim_world.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "town/store_spots.h"

namespace world {

using substitute::Answer;
using substitute::FakeGame;
using substitute::NativeCall;
using substitute::squaredDistance;

namespace {

constexpr float walkingSpeed = 1.4f;      // m/s
constexpr float ridingSpeed = 2.5f;       // m/s, an easy walk of the horse
constexpr float turningRate = 180.0f;     // degrees per second
constexpr int32_t gettingOffTime = 2500;  // ms to get off a horse (and tie it)
constexpr int32_t mountingUp = 2000;      // ms to get back on
constexpr int32_t speechLength = 1800;
constexpr int32_t patience = 30000;  // ms a directed person waits for its next order
constexpr float nearbyRadius = 80.0f;
constexpr float walkersRoam = 40.0f;
constexpr float ridersRoam = 60.0f;
constexpr double riderShare = 0.3;
constexpr double aggressiveShare = 0.25;
constexpr double gangShare = 0.1;
constexpr float postOutsideStore = 7.0f;  // m from a store's centre towards the street
constexpr float takenHorseGoes = 150.0f;  // m that someone rides a taken horse away from the town

constexpr int32_t lawRegionGlobal = 1934292;  // the script global that names a locked-down region

constexpr int32_t firstTownsperson = 1001;
constexpr int32_t firstShopkeeper = 2001;
constexpr int32_t firstHorse = 3001;
constexpr int32_t firstPost = 4001;

// The world's arithmetic is + - * /, square roots and remainders alone, which
// every C runtime rounds alike: the same seed makes the same world bit for
// bit on every build. What trigonometry it needs it does itself.

// atan(t) for 0 <= t <= 1 in radians, within 0.00001 (Hastings' polynomial).
double arctangentUpToOne(double t) {
  const double t2 = t * t;
  return t * (0.9998660 + t2 * (-0.3302995 + t2 * (0.1801410 + t2 * (-0.0851330 + t2 * 0.0208351))));
}

// The angle of the point (x, y) from the x axis, -180 to 180 degrees.
double angleOf(double y, double x) {
  const double ax = x < 0.0 ? -x : x, ay = y < 0.0 ? -y : y;
  if (ax == 0.0 && ay == 0.0) return 0.0;
  double radians = ay > ax ? std::numbers::pi / 2 - arctangentUpToOne(ax / ay) : arctangentUpToOne(ay / ax);
  if (x < 0.0) radians = std::numbers::pi - radians;
  if (y < 0.0) radians = -radians;
  return radians * (180.0 / std::numbers::pi);
}

// Headings: 0 faces north (+y) and they grow anticlockwise, as the game's do.
float headingOf(float dx, float dy) {
  const auto degrees = static_cast<float>(angleOf(-dx, dy));
  return degrees < 0.0f ? degrees + 360.0f : degrees;
}

float turnedTowards(float heading, float target, float most) {
  float difference = std::fmod(target - heading + 540.0f, 360.0f) - 180.0f;
  if (difference <= most && difference >= -most) return target;
  difference = difference > 0.0f ? most : -most;
  return std::fmod(heading + difference + 360.0f, 360.0f);
}

Task taskOf(Task::Kind kind, int32_t remaining = 0) {
  Task task;
  task.kind = kind;
  task.remaining = remaining;
  return task;
}

// A point drawn evenly from the disc: draws from the square around it until
// one falls inside (on average 1.27 draws).
Point pointNear(Rng& rng, Point centre, float radius) {
  for (;;) {
    const float x = rng.between(-1.0f, 1.0f);
    const float y = rng.between(-1.0f, 1.0f);
    if (x * x + y * y <= 1.0f) return {centre.x + radius * x, centre.y + radius * y, centre.z};
  }
}

}  // namespace

SimWorld::SimWorld(const WorldSettings& settings) : settings_(settings), rng_(settings.seed) {}

std::string clockText(int64_t seconds) {
  char text[16];
  const int64_t daySeconds = seconds % 86400;
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", static_cast<int>(daySeconds / 3600),
                static_cast<int>(daySeconds / 60 % 60), static_cast<int>(daySeconds % 60));
  return text;
}

int64_t SimWorld::clockSeconds(int32_t later) const {
  // One game minute every 2000 ms of game time: 30 game seconds per second.
  const int64_t elapsed = static_cast<int64_t>(static_cast<uint32_t>(now())) + later;
  return settings_.startMinute * 60 + elapsed * 30 / 1000;
}

const Person* SimWorld::person(int32_t handle) const {
  const auto found = people_.find(handle);
  return found == people_.end() ? nullptr : &found->second;
}

std::string SimWorld::nameOf(uint32_t hashed) const {
  const auto found = names_.find(hashed);
  if (found != names_.end()) return found->second;
  std::string unknown = "#";
  unknown += std::to_string(hashed);  // (not "#" + ...: GCC 12 warns wrongly about that at -O3)
  return unknown;
}

uint32_t SimWorld::hash(std::string_view name) {
  const uint32_t hashed = FakeGame::hashName(name);
  names_.try_emplace(hashed, name);
  return hashed;
}

// The stores of the player's town. A store stands where its spots are; its
// keeper in its middle, and, for a general store, a hitching post a few steps
// towards the street. A rider farther than 35 m from every post gets off where
// it stands.
void SimWorld::placeStores() {
  for (const Store& store : stores_) people_.erase(store.keeper);
  stores_.clear();
  posts_.clear();
  std::vector<int> spotCounts;
  for (const SpotRow& spot : spotsOf(settings_.town.key)) {
    const std::string name = storeOfSpot(spot.name);
    auto store = std::find_if(stores_.begin(), stores_.end(), [&](const Store& s) { return s.name == name; });
    if (store == stores_.end()) {
      store = stores_.insert(stores_.end(), Store{name, {}, 0, 0});
      spotCounts.push_back(0);
    }
    const size_t index = static_cast<size_t>(store - stores_.begin());
    const float count = static_cast<float>(++spotCounts[index]);
    store->centre.x += (spot.position.x - store->centre.x) / count;
    store->centre.y += (spot.position.y - store->centre.y) / count;
    store->centre.z += (spot.position.z - store->centre.z) / count;
  }
  int32_t keeper = firstShopkeeper;
  int32_t post = firstPost;
  const Point street = settings_.town.standing;
  for (Store& store : stores_) {
    if (const std::string_view model = keeperModelOf(store.name); !model.empty()) {
      Person& person = people_[keeper];
      person.handle = keeper;
      person.model = model;
      person.shopkeeper = true;
      person.male = !model.starts_with("u_f_");
      person.home = person.position = store.centre;
      person.roam = 1.5f;
      store.keeper = keeper++;
    }
    if (store.name.find("GENERAL_STORE") != std::string::npos) {
      const float dx = street.x - store.centre.x, dy = street.y - store.centre.y;
      const float length = std::max(1.0f, std::sqrt(dx * dx + dy * dy));
      const float outside = std::min(postOutsideStore, length);
      posts_.push_back(
          {post,
           {store.centre.x + dx / length * outside, store.centre.y + dy / length * outside, store.centre.z}});
      store.post = post++;
    }
  }
}

Person SimWorld::newTownsperson(int32_t handle) {
  static constexpr const char* maleModels[] = {"a_m_m_townsfolk_01", "a_m_m_townsfolk_02",
                                               "a_m_y_townsfolk_01", "a_m_o_townsfolk_01"};
  static constexpr const char* femaleModels[] = {"a_f_m_townsfolk_01", "a_f_m_townsfolk_02",
                                                 "a_f_y_townsfolk_01"};
  Person person;
  person.handle = handle;
  person.male = rng_.chance(0.5);
  person.model = person.male ? maleModels[rng_.below(4)] : femaleModels[rng_.below(3)];
  person.aggressive = rng_.chance(aggressiveShare);
  person.gang = rng_.chance(gangShare);
  person.home = settings_.town.standing;
  const bool rider = rng_.chance(riderShare);
  person.roam = rider ? ridersRoam : walkersRoam;
  person.position = pointNear(rng_, person.home, person.roam);
  person.heading = rng_.between(0.0f, 360.0f);
  if (rider) {
    person.horse = firstHorse + (handle - firstTownsperson);
    person.riding = true;
    horses_[person.horse] = {person.horse, person.position, true, false, {}};
  }
  return person;
}

void SimWorld::placeTownsfolk() {
  for (int index = 0; index < settings_.townsfolk; ++index) {
    people_[firstTownsperson + index] = newTownsperson(firstTownsperson + index);
  }
}

void SimWorld::travelTo(const Town& town) {
  settings_.town = town;
  if (!populated_) return;  // the first wait lays out whichever town it is by then
  placeStores();
  for (auto& [handle, person] : people_) {
    if (person.shopkeeper) continue;
    person.home = town.standing;
    person.position = pointNear(rng_, person.home, person.roam);
    person.tasks.clear();
    person.directed = false;
    if (person.riding) horses_[person.horse].position = person.position;
  }
}

void SimWorld::vanish(int32_t handle) {
  if (people_.erase(handle) + horses_.erase(handle) > 0) vanished_.push_back(handle);
}

void SimWorld::kill(int32_t handle) {
  if (const auto person = people_.find(handle); person != people_.end()) {
    person->second.alive = false;
    person->second.riding = false;
    person->second.tasks.clear();
  }
  if (const auto horse = horses_.find(handle); horse != horses_.end()) horse->second.alive = false;
}

bool SimWorld::respawn() {
  const auto gone = std::find_if(vanished_.begin(), vanished_.end(), [](int32_t handle) {
    return handle >= firstTownsperson && handle < firstShopkeeper;
  });
  if (gone == vanished_.end()) return false;
  const int32_t handle = *gone;
  vanished_.erase(gone);
  horses_.erase(firstHorse + (handle - firstTownsperson));  // its old horse does not come back with it
  people_[handle] = newTownsperson(handle);
  return true;
}

void SimWorld::hold(int32_t handle, bool held) {
  if (const auto person = people_.find(handle); person != people_.end()) person->second.held = held;
}

void SimWorld::slowDown(int32_t handle, float pace) {
  if (const auto person = people_.find(handle); person != people_.end()) person->second.pace = pace;
}

void SimWorld::speak(int32_t handle) {
  if (const auto person = people_.find(handle); person != people_.end()) {
    person->second.speakingUntil = now() + speechLength;
  }
}

// Away from where the player stands, as if out of town.
void SimWorld::takeAway(int32_t handle) {
  const auto found = horses_.find(handle);
  if (found == horses_.end()) return;
  Horse& horse = found->second;
  const Point street = settings_.town.standing;
  const float dx = horse.position.x - street.x, dy = horse.position.y - street.y;
  const float length = std::sqrt(dx * dx + dy * dy);
  const float ax = length > 0.01f ? dx / length : 1.0f, ay = length > 0.01f ? dy / length : 0.0f;
  horse.taken = true;
  horse.takenTo = {horse.position.x + ax * takenHorseGoes, horse.position.y + ay * takenHorseGoes,
                   horse.position.z};
}

void SimWorld::moveTakenHorses(int32_t milliseconds) {
  const float reach = ridingSpeed * static_cast<float>(milliseconds) / 1000.0f;
  for (auto& [handle, horse] : horses_) {
    if (!horse.taken || !horse.alive) continue;
    const float dx = horse.takenTo.x - horse.position.x, dy = horse.takenTo.y - horse.position.y;
    const float left = std::sqrt(dx * dx + dy * dy);
    if (left <= reach) {
      horse.position = horse.takenTo;
    } else {
      horse.position.x += dx / left * reach;
      horse.position.y += dy / left * reach;
    }
  }
}

bool SimWorld::gettingOff(int32_t handle) const {
  const Person* found = person(handle);
  return found != nullptr && found->riding && !found->tasks.empty() && found->tasks.front().gettingOff;
}

bool SimWorld::playingScenario(int32_t handle) const {
  const Person* found = person(handle);
  return found != nullptr && found->playingScenario();
}

void SimWorld::advance(int32_t milliseconds) {
  if (!populated_) {
    placeStores();
    placeTownsfolk();
    populated_ = true;
  }
  if (game_ != nullptr) game_->globals[lawRegionGlobal] = gates.lockedDownRegion;
  // Small steps, so that a long wait moves everyone as smoothly as a short one.
  constexpr int32_t stepLength = 250;
  for (int32_t done = 0; done < milliseconds; done += stepLength) {
    const int32_t length = std::min(stepLength, milliseconds - done);
    for (auto& [handle, person] : people_) step(person, length);
    moveTakenHorses(length);
  }
}

// A person goes straight to the target: the way and the distance are worked
// out at its first step, and it faces the way it goes from then on.
void SimWorld::moveTowards(Person& person, Task& move, float speed, int32_t milliseconds, bool& arrived) {
  const Point target = move.target;
  if (!move.begun) {
    const float dx = target.x - person.position.x, dy = target.y - person.position.y;
    const float distance = std::sqrt(dx * dx + dy * dy);
    move.begun = true;
    move.distanceLeft = distance;
    if (distance > 0.0f)
      move.direction = {dx / distance, dy / distance, (target.z - person.position.z) / distance};
    if (distance > 0.01f) person.heading = headingOf(dx, dy);
  }
  const float reach = speed * static_cast<float>(milliseconds) / 1000.0f;
  arrived = move.distanceLeft <= reach;
  if (arrived) {
    person.position = target;
  } else {
    person.position.x += move.direction.x * reach;
    person.position.y += move.direction.y * reach;
    person.position.z += move.direction.z * reach;
    move.distanceLeft -= reach;
  }
  if (person.riding) horses_[person.horse].position = person.position;
}

void SimWorld::wander(Person& person) {
  const Task pause = taskOf(Task::Kind::pause, static_cast<int32_t>(rng_.between(2000.0f, 9000.0f)));
  Task walk = taskOf(Task::Kind::move);
  walk.target = pointNear(rng_, person.home, person.roam);
  person.tasks = {pause, walk};
}

void SimWorld::step(Person& person, int32_t milliseconds) {
  if (!person.alive) return;
  if (person.tasks.empty()) {
    if (!person.directed) return wander(person);
    person.idle += milliseconds;
    if (person.idle > patience) person.directed = false;  // nobody came back with another order
    return;
  }
  Task& task = person.tasks.front();
  bool done = false;
  switch (task.kind) {
    case Task::Kind::move:
      moveTowards(person, task, (person.riding ? ridingSpeed : walkingSpeed) * person.pace, milliseconds,
                  done);
      break;
    case Task::Kind::turn: {
      person.heading = turnedTowards(person.heading, task.heading, turningRate * milliseconds / 1000.0f);
      done = person.heading == task.heading;
      break;
    }
    case Task::Kind::getOff:
    case Task::Kind::scenario:
    case Task::Kind::pause:
      task.remaining -= milliseconds;
      done = task.remaining <= 0;
      if (done && task.kind == Task::Kind::getOff) person.riding = false;
      break;
    case Task::Kind::mountUp: {
      const auto horse = horses_.find(task.horse);
      if (horse == horses_.end() || !horse->second.alive) {
        done = true;  // nothing to get on
        break;
      }
      if (horse->second.taken) break;  // out of reach: it goes on trying
      task.remaining -= milliseconds;
      done = task.remaining <= 0;
      if (done) {
        person.riding = true;
        person.horse = task.horse;
        horse->second.position = person.position;
        person.directed = false;  // back in the saddle, it rides on as it likes
      }
      break;
    }
  }
  if (done) person.tasks.pop_front();
}

// A new order replaces what the person was doing at once, whatever it was: a
// rider getting off its horse stays in the saddle.
void SimWorld::order(int32_t handle, std::deque<Task> tasks) {
  const auto found = people_.find(handle);
  if (found == people_.end() || !found->second.alive) return;
  Person& person = found->second;
  person.directed = true;
  person.idle = 0;
  person.tasks = std::move(tasks);
}

Point SimWorld::positionOf(int32_t handle) const {
  if (handle == player) return playerPosition();
  if (const auto person = people_.find(handle); person != people_.end()) return person->second.position;
  if (const auto horse = horses_.find(handle); horse != horses_.end()) return horse->second.position;
  for (const Post& post : posts_) {
    if (post.handle == handle) return post.position;
  }
  return {};
}

bool SimWorld::exists(int32_t handle) const {
  return handle == player || people_.contains(handle) || horses_.contains(handle) ||
         std::any_of(posts_.begin(), posts_.end(),
                     [handle](const Post& post) { return post.handle == handle; });
}

// Everyone around the ped, nearest first; the player and the horses are not
// among them.
std::vector<int32_t> SimWorld::peopleNear(int32_t handle) const {
  const Point centre = positionOf(handle);
  std::vector<std::pair<float, int32_t>> found;
  for (const auto& [other, person] : people_) {
    const float distance = squaredDistance(centre, person.position);
    if (other != handle && distance <= nearbyRadius * nearbyRadius) found.emplace_back(distance, other);
  }
  std::sort(found.begin(), found.end());
  std::vector<int32_t> handles;
  for (const auto& [distance, other] : found) handles.push_back(other);
  return handles;
}

int32_t SimWorld::postNear(Point point, float radius) const {
  int32_t nearest = 0;
  float nearestDistance = radius * radius;
  for (const Post& post : posts_) {
    const float distance = squaredDistance(point, post.position);
    if (distance <= nearestDistance) {
      nearest = post.handle;
      nearestDistance = distance;
    }
  }
  return nearest;
}

void SimWorld::install(FakeGame& game) {
  game_ = &game;
  installQuestions(game);
  installOrders(game);
}

void SimWorld::installQuestions(FakeGame& game) {
  auto answer = [&game](const char* native, auto value) {
    game.on(native,
            [value](const NativeCall& call, Answer& out) { out.setInt(static_cast<int32_t>(value(call))); });
  };
  auto personAnswer = [this, &game](const char* native, auto property) {
    game.on(native, [this, property](const NativeCall& call, Answer& out) {
      if (const Person* found = person(call.args[0].i())) out.setInt(static_cast<int32_t>(property(*found)));
    });
  };
  const uint32_t gang = hash("REL_GANG_DUTCHS");
  const uint32_t civilian = hash("REL_CIVILIAN");
  const uint32_t aggressive = hash("AGGRESSIVE");
  const uint32_t calm = hash("CALM");
  const uint32_t hitchingPost = hash("PROP_HITCHINGPOST");

  game.on("nameHash", [this](const NativeCall& call, Answer& out) { out.setHash(hash(call.args[0].text)); });
  answer("clockHour", [this](const NativeCall&) { return clockHour(); });
  answer("gateSubject", [](const NativeCall&) { return 0; });
  answer("gateTest", [this](const NativeCall&) { return gates.playerGateClosed; });
  answer("gateFlag", [this](const NativeCall&) { return gates.gameGateClosed; });
  answer("positionGate", [this](const NativeCall&) { return !gates.positionGateClosed; });
  answer("townTest", [this](const NativeCall& call) {
    return !settings_.town.zone.empty() && call.args[0].u() == FakeGame::hashName(settings_.town.zone);
  });
  answer("playerPed", [](const NativeCall&) { return player; });
  answer("entityExists", [this](const NativeCall& call) { return exists(call.args[0].i()); });
  answer("entityDead", [this](const NativeCall& call) {
    const int32_t handle = call.args[0].i();
    if (const Person* found = person(handle)) return !found->alive;
    const auto horse = horses_.find(handle);
    return horse != horses_.end() && !horse->second.alive;
  });
  answer("pedRejectTest1", [](const NativeCall&) { return 0; });
  answer("pedRejectTest2", [](const NativeCall&) { return 0; });
  answer("pedRejectTest3", [](const NativeCall&) { return 0; });
  answer("pedRequireTest", [this](const NativeCall& call) { return person(call.args[0].i()) != nullptr; });
  // A scenario holds the visit for as long as it plays, as does the game.
  personAnswer("visitHoldTest", [](const Person& p) { return p.held || p.playingScenario(); });
  personAnswer("entityModel", [this](const Person& p) { return FakeGame::hashName(p.model); });
  personAnswer("pedRelationshipGroup",
               [gang, civilian](const Person& p) { return p.gang ? gang : civilian; });
  personAnswer("pedDisposition",
               [aggressive, calm](const Person& p) { return p.aggressive ? aggressive : calm; });
  personAnswer("pedIsMale", [](const Person& p) { return p.male; });
  personAnswer("pedIsRiding", [](const Person& p) { return p.riding; });
  personAnswer("pedMount", [](const Person& p) { return p.riding ? p.horse : 0; });
  personAnswer("pedIsSpeaking", [this](const Person& p) { return now() - p.speakingUntil < 0; });
  game.on("entityHeading", [this](const NativeCall& call, Answer& out) {
    if (const Person* found = person(call.args[0].i())) out.setFloat(found->heading);
  });
  game.on("entityPosition", [this](const NativeCall& call, Answer& out) {
    const Point at = positionOf(call.args[0].i());
    out.setVec3(at.x, at.y, at.z);
  });
  game.on("pointDistance", [](const NativeCall& call, Answer& out) {
    const Point a{call.args[0].f(), call.args[1].f(), call.args[2].f()};
    const Point b{call.args[3].f(), call.args[4].f(), call.args[5].f()};
    out.setFloat(squaredDistance(a, b));
  });
  game.on("nearbyPeds", [this](const NativeCall& call, Answer& out) {
    const std::vector<int32_t> near = peopleNear(call.args[0].i());
    FakeGame::fillNearby(call, out, near, static_cast<int32_t>(near.size()));
  });
  auto postFor = [this, hitchingPost](const NativeCall& call) {
    const Point at{call.args[0].f(), call.args[1].f(), call.args[2].f()};
    return call.args[3].u() == hitchingPost ? postNear(at, call.args[4].f()) : 0;
  };
  answer("objectNearPoint", [postFor](const NativeCall& call) { return postFor(call) != 0; });
  answer("closestObject", postFor);
}

// The tasks an order sets its ped on; a sequence's, one after the other.
std::deque<Task> SimWorld::tasksOf(const NativeCall& call) const {
  const std::string_view native = call.name();
  std::deque<Task> tasks;
  if (native == "taskGoTo") {
    Task walk = taskOf(Task::Kind::move);
    walk.target = {call.args[1].f(), call.args[2].f(), call.args[3].f()};
    tasks.push_back(walk);
  } else if (native == "taskTurnTo") {
    Task turn = taskOf(Task::Kind::turn);
    turn.heading = std::fmod(std::fmod(call.args[1].f(), 360.0f) + 360.0f, 360.0f);
    tasks.push_back(turn);
  } else if (native == "taskScenarioHere") {
    tasks.push_back(taskOf(Task::Kind::scenario, call.args[2].i()));  // as long as the order says
  } else if (native == "taskHitch") {
    Task ride = taskOf(Task::Kind::move);
    ride.target = positionOf(call.args[1].i());
    tasks = {ride, taskOf(Task::Kind::getOff, gettingOffTime)};
    for (Task& step : tasks) step.gettingOff = true;
  } else if (native == "taskDismount") {
    tasks.push_back(taskOf(Task::Kind::getOff, gettingOffTime));
    tasks.back().gettingOff = true;
  } else if (native == "taskMount") {
    Task walk = taskOf(Task::Kind::move);
    walk.target = positionOf(call.args[1].i());
    Task mount = taskOf(Task::Kind::mountUp, mountingUp);
    mount.horse = call.args[1].i();
    tasks = {walk, mount};
  } else if (native == "performSequence") {
    for (const NativeCall& step : call.steps) {
      const std::deque<Task> stepTasks = tasksOf(step);
      tasks.insert(tasks.end(), stepTasks.begin(), stepTasks.end());
    }
  }
  return tasks;
}

void SimWorld::installOrders(FakeGame& game) {
  for (const char* native : {"taskGoTo", "taskTurnTo", "taskScenarioHere", "taskHitch", "taskDismount",
                             "taskMount", "performSequence"}) {
    game.on(native, [this](const NativeCall& call, Answer&) { order(call.args[0].i(), tasksOf(call)); });
  }
  game.on("releaseVisitor", [this](const NativeCall& call, Answer&) {
    const auto found = people_.find(call.args[0].i());
    if (found == people_.end()) return;
    Person& released = found->second;
    Task away = taskOf(Task::Kind::move);
    away.target = pointNear(rng_, released.home, released.roam);
    released.tasks = {away};
    released.directed = false;
  });
  game.on("speakWithParams", [this](const NativeCall& call, Answer&) {
    const auto found = people_.find(call.args[0].i());
    if (found != people_.end()) found->second.speakingUntil = now() + speechLength;
  });
}

}  // namespace world
