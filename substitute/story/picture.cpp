#include "story/picture.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <span>
#include <string>
#include <string_view>

#include "story/label_layout.h"
#include "town/store_spots.h"

namespace world {

namespace {

constexpr float margin = 8.0f;           // m around what is drawn
constexpr float farthestDrawn = 110.0f;  // m from the player; path points beyond are left out
constexpr float largestSide = 1100.0f;   // px
constexpr float mostPixelsPerMetre = 12.0f;

struct Frame {
  float minX = 0.0f, maxX = 0.0f, minY = 0.0f, maxY = 0.0f;
  float scale = 1.0f;
  float pad = 54.0f;  // px for the heading

  void include(Point p) {
    minX = std::min(minX, p.x), maxX = std::max(maxX, p.x);
    minY = std::min(minY, p.y), maxY = std::max(maxY, p.y);
  }
  float x(float worldX) const { return (worldX - minX) * scale; }
  float y(float worldY) const { return (maxY - worldY) * scale + pad; }
  float width() const { return (maxX - minX) * scale; }
  float height() const { return (maxY - minY) * scale + pad; }
  // Wider on both sides, the town in the middle, at the same scale.
  void widenTo(float pixels) {
    const float extra = std::max(0.0f, pixels - width()) / scale / 2.0f;
    minX -= extra, maxX += extra;
  }
};

// A line of text whose place is fixed.
struct Heading {
  std::string text;
  float em;
  Placement at;
  const char* fill;
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
    // One begun in the last pass has a single point: a path all the same.
    if (visit.path.empty()) continue;
    out << "<polyline class=\"path\" stroke=\"" << colourOf(visit.number) << "\" points=\"";
    for (const Point& p : visit.path) out << number(frame.x(p.x)) << ',' << number(frame.y(p.y)) << ' ';
    out << "\"><title>visit " << visit.number << ": " << visit.ped << " to " << spotText(visit)
        << "</title></polyline>\n";
  }
}

std::string textElement(const char* cls, Placement at, float em, std::string_view text) {
  return "<text class=\"" + std::string(cls) + "\" x=\"" + number(at.x) + "\" y=\"" + number(at.baseline) +
         "\" font-size=\"" + number(em) + "\">" + std::string(text) + "</text>\n";
}

// The markers, which no label may cover: a spot's dot with its tick, a post, the player.
void drawMarkers(std::ostream& out, const Frame& frame, const SimWorld& world, std::span<const SpotRow> spots,
                 LabelLayout& layout) {
  for (const SpotRow& spot : spots) {
    const float x = frame.x(spot.position.x), y = frame.y(spot.position.y);
    const float heading = spot.heading * std::numbers::pi_v<float> / 180.0f;
    const float tickX = x - 9.0f * std::sin(heading), tickY = y - 9.0f * std::cos(heading);
    out << "<line class=\"tick\" x1=\"" << number(x) << "\" y1=\"" << number(y) << "\" x2=\"" << number(tickX)
        << "\" y2=\"" << number(tickY) << "\"/>\n"
        << "<circle class=\"spot\" cx=\"" << number(x) << "\" cy=\"" << number(y) << "\" r=\"3\"/>\n";
    layout.keepClear({std::min(x - 3.0f, tickX), std::min(y - 3.0f, tickY), std::max(x + 3.0f, tickX),
                      std::max(y + 3.0f, tickY)});
  }
  for (const Post& post : world.posts()) {
    const float x = frame.x(post.position.x), y = frame.y(post.position.y);
    out << "<rect class=\"post\" x=\"" << number(x - 4.0f) << "\" y=\"" << number(y - 4.0f)
        << "\" width=\"8\" height=\"8\"><title>hitching post</title></rect>\n";
    layout.keepClear({x - 4.0f, y - 4.0f, x + 4.0f, y + 4.0f});
  }
  const Point player = world.playerPosition();
  const float x = frame.x(player.x), y = frame.y(player.y);
  out << "<circle class=\"player\" cx=\"" << number(x) << "\" cy=\"" << number(y)
      << "\" r=\"6\"><title>the player</title></circle>\n";
  layout.keepClear({x - 6.0f, y - 6.0f, x + 6.0f, y + 6.0f});
}

// A spot's name goes level with its dot, to the right or else the left, or
// else just above or below it. One pushed further off, in a crowd of spots,
// gets a hairline back to its dot.
void drawSpotNames(std::ostream& out, const Frame& frame, std::span<const SpotRow> spots,
                   LabelLayout& layout) {
  constexpr float em = 7.0f;
  constexpr float besideDot = 5.0f;
  std::string names;
  for (const SpotRow& spot : spots) {
    const float x = frame.x(spot.position.x), y = frame.y(spot.position.y);
    const float length = emPerCharacter * em * static_cast<float>(spot.name.size());
    const Placement around[] = {{x + besideDot, y + 0.3f * em},
                                {x - besideDot - length, y + 0.3f * em},
                                {x - length / 2.0f, y - besideDot - 0.2f * em},
                                {x - length / 2.0f, y + besideDot + 0.8f * em}};
    const Placement at = layout.place(spot.name, em, around);
    const Box box = boxOf(at, spot.name, em);
    const float nearestX = std::clamp(x, box.left, box.right), nearestY = std::clamp(y, box.top, box.bottom);
    if (std::hypot(nearestX - x, nearestY - y) > besideDot + 1.0f) {
      out << "<line class=\"leader\" x1=\"" << number(x) << "\" y1=\"" << number(y) << "\" x2=\""
          << number(nearestX) << "\" y2=\"" << number(nearestY) << "\"/>\n";
    }
    names += textElement("spot-name", at, em, spot.name);
  }
  out << names;
}

// A store's name goes under the lowest of its spots, or else over the highest.
void drawStoreNames(std::ostream& out, const Frame& frame, const std::vector<Store>& stores,
                    std::span<const SpotRow> spots, LabelLayout& layout) {
  constexpr float em = 12.0f;
  for (const Store& store : stores) {
    float left = frame.x(store.centre.x);
    float highest = frame.y(store.centre.y), lowest = highest;
    for (const SpotRow& spot : spots) {
      if (storeOfSpot(spot.name) != store.name) continue;
      left = std::min(left, frame.x(spot.position.x));
      highest = std::min(highest, frame.y(spot.position.y));
      lowest = std::max(lowest, frame.y(spot.position.y));
    }
    const Placement around[] = {{left, lowest + 8.0f + 0.8f * em}, {left, highest - 8.0f - 0.2f * em}};
    out << textElement("store", layout.place(store.name, em, around), em, store.name);
  }
}

}  // namespace

void drawTown(std::ostream& out, const SimWorld& world, const std::vector<Visit>& visits, uint64_t seed) {
  const std::span<const SpotRow> spots = spotsOf(world.town().key);
  const Heading heading[] = {
      {"Quillhaven: " + std::string(world.town().display) + ", seed " + std::to_string(seed) + ", " +
           std::to_string(visits.size()) + " visits",
       14.0f,
       {10.0f, 18.0f},
       "#000"},
      {"dots: store spots, facing their tick; squares: hitching posts;", 10.0f, {10.0f, 32.0f}, "#555"},
      {"blue: the player; lines: the visitors' paths, one colour per visit", 10.0f, {10.0f, 44.0f}, "#555"},
  };
  Frame frame = frameAround(world, spots, visits);
  // Room for the heading, with as much to its right as to its left.
  for (const Heading& line : heading) frame.widenTo(boxOf(line.at, line.text, line.em).right + line.at.x);
  LabelLayout layout(frame.width(), frame.height());

  out << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << number(frame.width()) << "\" height=\""
      << number(frame.height()) << "\" viewBox=\"0 0 " << number(frame.width()) << ' '
      << number(frame.height()) << "\" font-family=\"monospace\">\n"
      << "<style>.path{fill:none;stroke-width:1.6;stroke-opacity:.75}"
         ".spot{fill:#222}.tick{stroke:#222;stroke-width:1.5}.leader{stroke:#777;stroke-width:.6}"
         ".post{fill:#8b5a2b}.player{fill:#1f5fbf}"
         ".spot-name{fill:#333}.store{font-weight:bold;fill:#6b4a2b}"
         ".spot-name,.store{paint-order:stroke;stroke:#f4efe4;stroke-width:2px}</style>\n"
      << "<rect width=\"100%\" height=\"100%\" fill=\"#f4efe4\"/>\n";
  for (const Heading& line : heading) {
    out << "<text x=\"" << number(line.at.x) << "\" y=\"" << number(line.at.baseline) << "\" font-size=\""
        << number(line.em) << "\" fill=\"" << line.fill << "\">" << line.text << "</text>\n";
    layout.keepClear(boxOf(line.at, line.text, line.em));
  }
  drawPaths(out, frame, visits);
  drawMarkers(out, frame, world, spots, layout);
  // The spots' names first, as they must stay by their dots; a store's name
  // can move further without losing its meaning.
  drawSpotNames(out, frame, spots, layout);
  drawStoreNames(out, frame, world.stores(), spots, layout);
  out << "</svg>\n";
}

}  // namespace world
