#include "story/label_layout.h"

#include <algorithm>

namespace world {

namespace {

// Room kept between two labels, and between a label and the picture's edge:
// more than the rounding of the numbers written into the picture.
constexpr float clearance = 1.0f;
constexpr float edge = 2.0f;

bool overlap(const Box& a, const Box& b) {
  return a.left < b.right + clearance && b.left < a.right + clearance && a.top < b.bottom + clearance &&
         b.top < a.bottom + clearance;
}

}  // namespace

Box boxOf(Placement at, std::string_view text, float em) {
  return {at.x, at.baseline - 0.8f * em, at.x + emPerCharacter * em * static_cast<float>(text.size()),
          at.baseline + 0.2f * em};
}

Placement LabelLayout::inside(Placement at, std::string_view text, float em) const {
  const float length = emPerCharacter * em * static_cast<float>(text.size());
  // A label too long for the picture starts at its left edge; the picture is
  // made wide enough for its longest label, so none is.
  at.x = std::max(edge, std::min(at.x, width_ - edge - length));
  at.baseline = std::max(edge + 0.8f * em, std::min(at.baseline, height_ - edge - 0.2f * em));
  return at;
}

bool LabelLayout::clear(const Box& box) const {
  return std::none_of(taken_.begin(), taken_.end(), [&](const Box& other) { return overlap(box, other); });
}

Placement LabelLayout::place(std::string_view text, float em, std::span<const Placement> choices) {
  const float line = em + clearance;
  // Lines below first, then above, at each distance: the labels of spots that
  // share a point read downwards.
  const int farthest = static_cast<int>(height_ / line) + 1;
  for (int lines = 0; lines <= farthest; ++lines) {
    for (const int direction : {1, -1}) {
      if (lines == 0 && direction < 0) continue;
      for (const Placement& choice : choices) {
        const Placement at = inside({choice.x, choice.baseline + direction * lines * line}, text, em);
        if (clear(boxOf(at, text, em))) {
          taken_.push_back(boxOf(at, text, em));
          return at;
        }
      }
    }
  }
  // The picture is full: overlap rather than leave the label out.
  const Placement at = inside(choices.front(), text, em);
  taken_.push_back(boxOf(at, text, em));
  return at;
}

}  // namespace world
