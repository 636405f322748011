#include "world/picture.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <numbers>
#include <span>
#include <string>

#include "world/store_spots.h"

namespace world {

namespace {

constexpr float margin = 8.0f;           // m around what is drawn
constexpr float farthestDrawn = 110.0f;  // m from the player; path points beyond are left out
constexpr float largestSide = 1100.0f;   // px
constexpr float mostPixelsPerMetre = 12.0f;

struct Frame {
  float minX = 0.0f, maxX = 0.0f, minY = 0.0f, maxY = 0.0f;
  float scale = 1.0f;
  float pad = 40.0f;  // px for the title and legend

  void include(Point p) {
    minX = std::min(minX, p.x), maxX = std::max(maxX, p.x);
    minY = std::min(minY, p.y), maxY = std::max(maxY, p.y);
  }
  float x(float worldX) const { return (worldX - minX) * scale; }
  float y(float worldY) const { return (maxY - worldY) * scale + pad; }
  float width() const { return (maxX - minX) * scale; }
  float height() const { return (maxY - minY) * scale + pad; }
};

std::string number(float value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", static_cast<double>(value));
  return text;
}

// Well apart hues, so that neighbouring visits differ.
std::string colourOf(int visit) { return "hsl(" + std::to_string(visit * 137 % 360) + ",70%,40%)"; }

Frame frameAround(const SimWorld& world, std::span<const SpotRow> spots, const std::vector<Visit>& visits) {
  const Point player = world.playerPosition();
  Frame frame{player.x, player.x, player.y, player.y};
  for (const SpotRow& spot : spots) frame.include({spot.position.x, spot.position.y, 0.0f});
  for (const Post& post : world.posts()) frame.include(post.position);
  for (const Visit& visit : visits) {
    for (const Point& p : visit.path) {
      if (std::hypot(p.x - player.x, p.y - player.y) <= farthestDrawn) frame.include(p);
    }
  }
  frame.minX -= margin, frame.maxX += margin, frame.minY -= margin, frame.maxY += margin;
  const float side = std::max(frame.maxX - frame.minX, frame.maxY - frame.minY);
  frame.scale = std::min(mostPixelsPerMetre, largestSide / side);
  return frame;
}

void drawPaths(std::ostream& out, const Frame& frame, const std::vector<Visit>& visits) {
  for (const Visit& visit : visits) {
    if (visit.path.size() < 2) continue;
    out << "<polyline class=\"path\" stroke=\"" << colourOf(visit.number) << "\" points=\"";
    for (const Point& p : visit.path) out << number(frame.x(p.x)) << ',' << number(frame.y(p.y)) << ' ';
    out << "\"><title>visit " << visit.number << ": " << visit.visitor << " to " << visit.spot
        << "</title></polyline>\n";
  }
}

void drawSpots(std::ostream& out, const Frame& frame, std::span<const SpotRow> spots) {
  // Spots that share a point list their names one under the other.
  std::map<std::pair<int, int>, int> namesAtPoint;
  for (const SpotRow& spot : spots) {
    const float x = frame.x(spot.position.x), y = frame.y(spot.position.y);
    const float heading = spot.heading * std::numbers::pi_v<float> / 180.0f;
    const float tickX = x - 9.0f * std::sin(heading), tickY = y - 9.0f * std::cos(heading);
    const int line = namesAtPoint[{static_cast<int>(x), static_cast<int>(y)}]++;
    out << "<line class=\"tick\" x1=\"" << number(x) << "\" y1=\"" << number(y) << "\" x2=\"" << number(tickX)
        << "\" y2=\"" << number(tickY) << "\"/>\n"
        << "<circle class=\"spot\" cx=\"" << number(x) << "\" cy=\"" << number(y) << "\" r=\"3\"/>\n"
        << "<text class=\"spot-name\" x=\"" << number(x + 5.0f) << "\" y=\"" << number(y - 4.0f + 8.0f * line)
        << "\">" << spot.name << "</text>\n";
  }
}

// Each store's name goes under the lowest of its spots, clear of their names.
void drawStoreNames(std::ostream& out, const Frame& frame, const std::vector<Store>& stores,
                    std::span<const SpotRow> spots) {
  for (const Store& store : stores) {
    float left = frame.x(store.centre.x);
    float lowest = frame.y(store.centre.y);
    for (const SpotRow& spot : spots) {
      if (storeOfSpot(spot.name) != store.name) continue;
      left = std::min(left, frame.x(spot.position.x));
      lowest = std::max(lowest, frame.y(spot.position.y));
    }
    out << "<text class=\"store\" x=\"" << number(left) << "\" y=\"" << number(lowest + 22.0f) << "\">"
        << store.name << "</text>\n";
  }
}

}  // namespace

void drawTown(std::ostream& out, const SimWorld& world, const std::vector<Visit>& visits, uint64_t seed) {
  const std::span<const SpotRow> spots = spotsOf(world.town().key);
  const Frame frame = frameAround(world, spots, visits);
  out << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << number(frame.width()) << "\" height=\""
      << number(frame.height()) << "\" viewBox=\"0 0 " << number(frame.width()) << ' '
      << number(frame.height()) << "\" font-family=\"sans-serif\">\n"
      << "<style>.path{fill:none;stroke-width:1.6;stroke-opacity:.75}.spot{fill:#222}.tick{stroke:#222;"
         "stroke-width:1.5}.spot-name{font-size:7px;fill:#333}.store{font-size:12px;font-weight:bold;fill:#"
         "6b4a2b}"
         ".post{fill:#8b5a2b}.player{fill:#1f5fbf}</style>\n"
      << "<rect width=\"100%\" height=\"100%\" fill=\"#f4efe4\"/>\n"
      << "<text x=\"10\" y=\"18\" font-size=\"14\">Quillhaven: " << world.town().display << ", seed " << seed
      << ", " << visits.size() << " visits</text>\n"
      << "<text x=\"10\" y=\"33\" font-size=\"10\" fill=\"#555\">dots: store spots, facing their tick; "
         "squares: "
         "hitching posts; blue: the player; lines: the visitors' paths, one colour per visit</text>\n";
  drawStoreNames(out, frame, world.stores(), spots);
  drawPaths(out, frame, visits);
  drawSpots(out, frame, spots);
  for (const Post& post : world.posts()) {
    out << "<rect class=\"post\" x=\"" << number(frame.x(post.position.x) - 4.0f) << "\" y=\""
        << number(frame.y(post.position.y) - 4.0f)
        << "\" width=\"8\" height=\"8\"><title>hitching post</title>"
        << "</rect>\n";
  }
  const Point player = world.playerPosition();
  out << "<circle class=\"player\" cx=\"" << number(frame.x(player.x)) << "\" cy=\""
      << number(frame.y(player.y)) << "\" r=\"6\"><title>the player</title></circle>\n</svg>\n";
}

}  // namespace world
