#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "catalogue/store_spot.h"
#include "recruit/eligibility.h"

namespace quillhaven {

// What a pick found, for the log: the spot drawn, how far the player stood
// from it, and who was refused for what. Filling it asks the game nothing.
struct PickReport {
  const char* spotName = nullptr;  // null when there was no free spot to draw
  float playerDistanceSquared = 0.0f;
  bool spotTooFar = false;
  int32_t considered = 0;
  std::array<int32_t, RefusalKinds> refused{};  // by Refusal
};

// A spot is tried only with the player at most this far from it.
inline constexpr float MaxPlayerToSpotMetres = 70.0f;

// Draws one of the free spots and sends the most suitable townsperson near
// the player there. True when a visit started; lastPickIndex then holds the
// drawn spot's place among freeSpots.
bool pickSpotAndVisitor(std::span<const StoreSpot> freeSpots, int32_t& lastPickIndex, Vec3 playerPosition);
bool pickSpotAndVisitor(std::span<const StoreSpot> freeSpots, int32_t& lastPickIndex, Vec3 playerPosition,
                        PickReport& report);

}  // namespace quillhaven
