// Where the town picture's labels go: each as near the point it names as
// room allows, inside the picture and clear of every label and marker placed
// before it. The same labels in the same order always land in the same places.
#pragma once

#include <span>
#include <string_view>
#include <vector>

namespace world {

// The picture sets its labels in a monospace face, so a label is 0.6 em wide a
// character; it is taken as one em tall, 0.8 em above its baseline (capitals)
// and 0.2 em below (underscores).
constexpr float emPerCharacter = 0.6f;

struct Box {
  float left = 0.0f, top = 0.0f, right = 0.0f, bottom = 0.0f;
};

// Where a label's text starts: its left end, on its baseline.
struct Placement {
  float x = 0.0f, baseline = 0.0f;
};

Box boxOf(Placement at, std::string_view text, float em);

class LabelLayout {
 public:
  LabelLayout(float width, float height) : width_(width), height_(height) {}

  // Something no label may cover: a marker, or a label whose place is fixed.
  void keepClear(const Box& box) { taken_.push_back(box); }

  // The first of `choices` that lies clear once pulled inside the picture; if
  // none does, the nearest such place a line at a time above or below them.
  // The label then keeps its place clear of those placed after it.
  Placement place(std::string_view text, float em, std::span<const Placement> choices);

 private:
  Placement inside(Placement at, std::string_view text, float em) const;
  bool clear(const Box& box) const;

  float width_;
  float height_;
  std::vector<Box> taken_;
};

}  // namespace world
