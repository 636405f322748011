#include "catalogue/spot_catalogue.h"

#include <algorithm>
#include <span>
#include <string_view>

#include "game/natives.h"

namespace quillhaven {

TownSpotLists townSpotLists;

namespace {

// One row of a town's table: the spot's name, the point where the visitor
// stands (x, y, z), the heading it faces and the scenario it plays.
struct SpotRow {
  const char* name;
  float x, y, z;
  float heading;
  const char* scenario;
};

// clang-format off
// VALENTINE, 20 spots
constexpr SpotRow valentineSpots[] = {
    {"VALENTINE_GUNSMITH_1", -279.538f, 783.288f, 119.504f, 275.241f, "WORLD_HUMAN_INSPECT"},
    {"VALENTINE_GUNSMITH_2", -279.543f, 781.849f, 119.504f, 279.847f, "WORLD_HUMAN_INSPECT"},
    {"VALENTINE_GUNSMITH_3", -283.267f, 781.054f, 119.504f, 103.321f, "WORLD_HUMAN_INSPECT"},
    {"VALENTINE_GUNSMITH_4", -281.016f, 780.731f, 119.527f, 188.359f, "WORLD_HUMAN_STARE_STOIC"},
    {"VALENTINE_GUNSMITH_5", -282.845f, 780.568f, 119.542f, 186.982f, "WORLD_HUMAN_CROUCH_INSPECT"},
    {"VALENTINE_GUNSMITH_6", -282.845f, 780.568f, 119.542f, 186.982f, "WORLD_HUMAN_WAITING_IMPATIENT"},
    {"VALENTINE_DOCTOR_1", -284.831f, 807.462f, 119.386f, 15.332f, "WORLD_HUMAN_INSPECT"},
    {"VALENTINE_DOCTOR_2", -283.851f, 807.595f, 119.386f, 28.579f, "WORLD_HUMAN_INSPECT"},
    {"VALENTINE_DOCTOR_3", -288.582f, 808.741f, 119.386f, 11.725f, "WORLD_HUMAN_INSPECT"},
    {"VALENTINE_DOCTOR_4", -289.622f, 808.084f, 119.386f, 110.987f, "WORLD_HUMAN_INSPECT"},
    {"VALENTINE_DOCTOR_5", -289.235f, 805.876f, 119.386f, 109.964f, "WORLD_HUMAN_INSPECT"},
    {"VALENTINE_DOCTOR_6", -283.440f, 807.097f, 119.386f, 276.795f, "WORLD_HUMAN_INSPECT"},
    {"VALENTINE_DOCTOR_7", -286.294f, 804.857f, 119.386f, 119.400f, "WORLD_HUMAN_SHOPKEEPER_MALE_C"},
    {"VALENTINE_GENERAL_STORE_1", -325.479f, 797.442f, 117.882f, 102.710f, "WORLD_HUMAN_INSPECT"},
    {"VALENTINE_GENERAL_STORE_2", -324.747f, 799.765f, 117.882f, 107.715f, "WORLD_HUMAN_INSPECT"},
    {"VALENTINE_GENERAL_STORE_3", -321.000f, 805.082f, 117.882f, 274.113f, "WORLD_HUMAN_WRITE_NOTEBOOK"},
    {"VALENTINE_GENERAL_STORE_4", -320.616f, 802.975f, 117.882f, 282.138f, "WORLD_HUMAN_WRITE_NOTEBOOK"},
    {"VALENTINE_GENERAL_STORE_5", -320.331f, 801.232f, 117.882f, 293.005f, "WORLD_HUMAN_INSPECT"},
    {"VALENTINE_GENERAL_STORE_6", -320.044f, 799.400f, 117.882f, 294.997f, "WORLD_HUMAN_INSPECT"},
    {"VALENTINE_GENERAL_STORE_7", -324.219f, 797.197f, 117.882f, 212.321f, "WORLD_HUMAN_WRITE_NOTEBOOK"},
};

// STRAWBERRY, 7 spots
constexpr SpotRow strawberrySpots[] = {
    {"STRAWBERRY_GENERAL_STORE_1", -1791.791f, -383.448f, 160.329f, 328.956f, "WORLD_HUMAN_INSPECT"},
    {"STRAWBERRY_GENERAL_STORE_2", -1795.484f, -385.743f, 160.329f, 145.828f, "WORLD_HUMAN_INSPECT"},
    {"STRAWBERRY_GENERAL_STORE_3", -1792.865f, -387.790f, 160.329f, 148.977f, "WORLD_HUMAN_WRITE_NOTEBOOK"},
    {"STRAWBERRY_GENERAL_STORE_4", -1792.749f, -384.368f, 160.329f, 134.282f, "WORLD_HUMAN_WRITE_NOTEBOOK"},
    {"STRAWBERRY_GENERAL_STORE_5", -1791.314f, -387.210f, 160.335f, 233.754f, "WORLD_HUMAN_SHOPKEEPER"},
    {"STRAWBERRY_POST_OFFICE_1", -1765.079f, -384.178f, 157.741f, 232.650f, "WORLD_HUMAN_WAITING_IMPATIENT"},
    {"STRAWBERRY_POST_OFFICE_2", -1764.921f, -383.896f, 157.739f, 236.249f, "WORLD_HUMAN_SHOPKEEPER_COUNTER"},
};

// RHODES, 9 spots
constexpr SpotRow rhodesSpots[] = {
    {"RHODES_GENERAL_STORE_1", 1329.250f, -1290.346f, 77.018f, 338.489f, "WORLD_HUMAN_WRITE_NOTEBOOK"},
    {"RHODES_GENERAL_STORE_2", 1327.037f, -1288.993f, 77.017f, 338.582f, "WORLD_HUMAN_INSPECT"},
    {"RHODES_GENERAL_STORE_3", 1324.985f, -1293.075f, 77.026f, 163.865f, "WORLD_HUMAN_SMOKE"},
    {"RHODES_GENERAL_STORE_4", 1326.905f, -1292.469f, 77.025f, 359.939f, "WORLD_HUMAN_STERNGUY_IDLES"},
    {"RHODES_GENERAL_STORE_5", 1328.280f, -1293.930f, 77.021f, 257.553f, "WORLD_HUMAN_SHOP_BROWSE_COUNTER"},
    {"RHODES_GUNSMITH_1", 1322.512f, -1320.570f, 77.889f, 85.969f, "WORLD_HUMAN_INSPECT"},
    {"RHODES_GUNSMITH_2", 1325.548f, -1321.438f, 77.890f, 258.681f, "WORLD_HUMAN_INSPECT"},
    {"RHODES_GUNSMITH_3", 1322.892f, -1319.554f, 77.889f, 74.482f, "WORLD_HUMAN_SMOKE"},
    {"RHODES_GUNSMITH_4", 1323.085f, -1321.531f, 77.889f, 180.655f, "WORLD_HUMAN_SHOP_BROWSE_COUNTER"},
};

// BLACKWATER, 10 spots
constexpr SpotRow blackwaterSpots[] = {
    {"BLACKWATER_GENERAL_STORE_1", -789.616f, -1325.827f, 43.884f, 91.513f, "WORLD_HUMAN_WRITE_NOTEBOOK"},
    {"BLACKWATER_GENERAL_STORE_2", -787.955f, -1326.866f, 43.884f, 178.511f, "WORLD_HUMAN_INSPECT"},
    {"BLACKWATER_GENERAL_STORE_3", -784.454f, -1326.336f, 43.884f, 186.653f, "WORLD_HUMAN_WRITE_NOTEBOOK"},
    {"BLACKWATER_GENERAL_STORE_4", -782.722f, -1323.800f, 43.884f, 5.723f, "WORLD_HUMAN_INSPECT"},
    {"BLACKWATER_GENERAL_STORE_5", -779.697f, -1321.582f, 43.884f, 0.275f, "WORLD_HUMAN_INSPECT"},
    {"BLACKWATER_GENERAL_STORE_6", -784.683f, -1323.828f, 43.884f, 2.641f, "WORLD_HUMAN_STARE"},
    {"BLACKWATER_GENERAL_STORE_7", -788.578f, -1321.715f, 43.884f, 12.479f, "WORLD_HUMAN_INSPECT"},
    {"BLACKWATER_TAILOR", -761.167f, -1291.913f, 43.855f, 163.749f, "WORLD_HUMAN_STERNGUY_IDLES"},
    {"BLACKWATER_BARBER_1", -812.300f, -1369.495f, 43.751f, 177.948f, "WORLD_HUMAN_INSPECT"},
    {"BLACKWATER_BARBER_2", -811.294f, -1365.041f, 43.751f, 356.077f, "WORLD_HUMAN_INSPECT"},
};

// ANNESBURG, 7 spots
constexpr SpotRow annesburgSpots[] = {
    {"ANNESBURG_GUNSMITH_1", 2945.641f, 1321.403f, 44.820f, 347.352f, "WORLD_HUMAN_INSPECT"},
    {"ANNESBURG_GUNSMITH_2", 2944.550f, 1318.509f, 44.820f, 164.449f, "WORLD_HUMAN_INSPECT"},
    {"ANNESBURG_GUNSMITH_3", 2945.478f, 1316.232f, 44.820f, 167.671f, "WORLD_HUMAN_INSPECT"},
    {"ANNESBURG_GUNSMITH_4", 2948.314f, 1316.560f, 44.820f, 252.777f, "WORLD_HUMAN_INSPECT"},
    {"ANNESBURG_GUNSMITH_5", 2947.960f, 1322.638f, 44.820f, 346.291f, "WORLD_HUMAN_INSPECT"},
    {"ANNESBURG_GUNSMITH_6", 2942.499f, 1317.563f, 44.820f, 78.712f, "WORLD_HUMAN_INSPECT"},
    {"ANNESBURG_POST_OFFICE", 2939.375f, 1288.595f, 44.653f, 159.915f, "WORLD_HUMAN_STERNGUY_IDLES"},
};

// TUMBLEWEED, 13 spots
constexpr SpotRow tumbleweedSpots[] = {
    {"TUMBLEWEED_GENERAL_STORE_1", -5488.771f, -2940.552f, -0.401f, 227.135f, "WORLD_HUMAN_WRITE_NOTEBOOK"},
    {"TUMBLEWEED_GENERAL_STORE_2", -5490.560f, -2937.535f, -0.404f, 38.793f, "WORLD_HUMAN_INSPECT"},
    {"TUMBLEWEED_GENERAL_STORE_3", -5491.421f, -2938.782f, -0.404f, 126.508f, "WORLD_HUMAN_INSPECT"},
    {"TUMBLEWEED_GENERAL_STORE_4", -5489.904f, -2936.755f, -0.404f, 28.453f, "WORLD_HUMAN_INSPECT"},
    {"TUMBLEWEED_GENERAL_STORE_5", -5487.968f, -2935.297f, -0.404f, 47.206f, "WORLD_HUMAN_WRITE_NOTEBOOK"},
    {"TUMBLEWEED_GENERAL_STORE_6", -5484.421f, -2932.266f, -0.402f, 41.799f, "WORLD_HUMAN_INSPECT"},
    {"TUMBLEWEED_GENERAL_STORE_7", -5487.115f, -2939.211f, -0.387f, 306.713f, "WORLD_HUMAN_SHOPKEEPER_BROWSE_COUNTER"},
    {"TUMBLEWEED_GUNSMITH_1", -5507.905f, -2968.907f, -0.632f, 197.864f, "WORLD_HUMAN_INSPECT"},
    {"TUMBLEWEED_GUNSMITH_2", -5506.848f, -2968.601f, -0.636f, 189.684f, "WORLD_HUMAN_INSPECT"},
    {"TUMBLEWEED_GUNSMITH_3", -5509.378f, -2965.251f, -0.629f, 121.655f, "WORLD_HUMAN_INSPECT"},
    {"TUMBLEWEED_GUNSMITH_4", -5508.685f, -2962.001f, -0.636f, 25.150f, "WORLD_HUMAN_INSPECT"},
    {"TUMBLEWEED_GUNSMITH_5", -5507.580f, -2966.477f, -0.639f, 285.100f, "WORLD_HUMAN_CROUCH_INSPECT"},
    {"TUMBLEWEED_GUNSMITH_6", -5508.114f, -2964.633f, -0.628f, 288.050f, "WORLD_HUMAN_SHOPKEEPER_BROWSE_COUNTER"},
};

// SAINT_DENIS, 19 spots
constexpr SpotRow saintDenisSpots[] = {
    {"SAINT_DENIS_GUNSMITH_1", 2715.575f, -1281.079f, 49.630f, 43.347f, "WORLD_HUMAN_CROUCH_INSPECT"},
    {"SAINT_DENIS_GUNSMITH_2", 2714.135f, -1283.568f, 49.630f, 124.743f, "WORLD_HUMAN_INSPECT"},
    {"SAINT_DENIS_GUNSMITH_3", 2716.779f, -1283.063f, 49.630f, 17.676f, "WORLD_HUMAN_INSPECT"},
    {"SAINT_DENIS_GUNSMITH_4", 2720.369f, -1286.566f, 49.630f, 104.053f, "WORLD_HUMAN_INSPECT"},
    {"SAINT_DENIS_GUNSMITH_5", 2721.147f, -1285.837f, 49.630f, 206.869f, "WORLD_HUMAN_WRITE_NOTEBOOK"},
    {"SAINT_DENIS_DOCTOR_1", 2718.366f, -1227.447f, 50.367f, 281.395f, "WORLD_HUMAN_INSPECT"},
    {"SAINT_DENIS_DOCTOR_2", 2718.424f, -1226.147f, 50.367f, 266.304f, "WORLD_HUMAN_INSPECT"},
    {"SAINT_DENIS_DOCTOR_3", 2718.569f, -1232.920f, 50.367f, 260.064f, "WORLD_HUMAN_INSPECT"},
    {"SAINT_DENIS_DOCTOR_4", 2719.547f, -1231.903f, 50.367f, 280.000f, "WORLD_HUMAN_SHOPKEEPER_COUNTER"},
    {"SAINT_DENIS_DOCTOR_5", 2722.744f, -1229.619f, 50.368f, 278.229f, "WORLD_HUMAN_INSPECT"},
    {"SAINT_DENIS_DOCTOR_6", 2722.892f, -1234.441f, 50.368f, 269.085f, "WORLD_HUMAN_WRITE_NOTEBOOK"},
    {"SAINT_DENIS_GENERAL_STORE_1", 2826.302f, -1313.231f, 46.756f, 56.139f, "WORLD_HUMAN_INSPECT"},
    {"SAINT_DENIS_GENERAL_STORE_2", 2831.014f, -1310.087f, 46.756f, 315.842f, "WORLD_HUMAN_WRITE_NOTEBOOK"},
    {"SAINT_DENIS_GENERAL_STORE_3", 2830.602f, -1313.806f, 46.756f, 33.269f, "WORLD_HUMAN_INSPECT"},
    {"SAINT_DENIS_GENERAL_STORE_4", 2832.618f, -1313.968f, 46.756f, 225.369f, "WORLD_HUMAN_WRITE_NOTEBOOK"},
    {"SAINT_DENIS_GENERAL_STORE_5", 2825.539f, -1318.127f, 46.756f, 144.455f, "WORLD_HUMAN_SHOPKEEPER_MALE_C"},
    {"SAINT_DENIS_GENERAL_STORE_6", 2825.539f, -1318.127f, 46.756f, 144.455f, "WORLD_HUMAN_STARE_STOIC"},
    {"SAINT_DENIS_GENERAL_STORE_7", 2825.539f, -1318.127f, 46.756f, 144.455f, "WORLD_HUMAN_STAND_WAITING"},
    {"SAINT_DENIS_GENERAL_STORE_8", 2827.637f, -1319.882f, 46.756f, 231.212f, "WORLD_HUMAN_SMOKE"},
};
// clang-format on

// The Valentine stores carry one reference point per store, shared by all
// their spots; every other spot's anchor is its own position.
struct StoreAnchor {
  std::string_view spotPrefix;
  Vec3 anchor;
};

constexpr StoreAnchor storeAnchors[] = {
    {"VALENTINE_GUNSMITH_", {-281.576f, 781.684f, 119.527f}},
    {"VALENTINE_DOCTOR_", {-285.206f, 806.187f, 119.386f}},
    {"VALENTINE_GENERAL_STORE_", {-322.113f, 801.281f, 117.882f}},
};

struct TownTable {
  const char* key;
  std::span<const SpotRow> rows;
  std::vector<StoreSpot>& list;
};

// The towns in the order the catalogue is built.
const TownTable townTables[] = {
    {"VALENTINE", valentineSpots, townSpotLists.valentine},
    {"STRAWBERRY", strawberrySpots, townSpotLists.strawberry},
    {"RHODES", rhodesSpots, townSpotLists.rhodes},
    {"BLACKWATER", blackwaterSpots, townSpotLists.blackwater},
    {"ANNESBURG", annesburgSpots, townSpotLists.annesburg},
    {"TUMBLEWEED", tumbleweedSpots, townSpotLists.tumbleweed},
    {"SAINT_DENIS", saintDenisSpots, townSpotLists.saintDenis},
};

static_assert(std::max({std::size(valentineSpots), std::size(strawberrySpots), std::size(rhodesSpots),
                        std::size(blackwaterSpots), std::size(annesburgSpots), std::size(tumbleweedSpots),
                        std::size(saintDenisSpots)}) == MaxSpotsPerTown);
static_assert(std::size(valentineSpots) + std::size(strawberrySpots) + std::size(rhodesSpots) +
                  std::size(blackwaterSpots) + std::size(annesburgSpots) + std::size(tumbleweedSpots) +
                  std::size(saintDenisSpots) ==
              MaxRunningVisits);

Vec3 anchorOf(const SpotRow& row, Vec3 position) {
  for (const StoreAnchor& store : storeAnchors) {
    if (std::string_view(row.name).starts_with(store.spotPrefix)) return store.anchor;
  }
  return position;
}

StoreSpot spotFrom(const SpotRow& row, const char* town) {
  const Vec3 position{row.x, row.y, row.z};
  return StoreSpot{
      anchorOf(row, position), position, row.heading, nameHash(row.scenario), row.name, town, row.scenario};
}

}  // namespace

void buildSpotCatalogue() {
  for (const TownTable& town : townTables) {
    std::vector<StoreSpot> spots;
    spots.reserve(town.rows.size());
    for (const SpotRow& row : town.rows) spots.push_back(spotFrom(row, town.key));
    town.list = std::move(spots);
  }
}

size_t builtSpotCount() {
  size_t count = 0;
  for (const TownTable& town : townTables) count += town.list.size();
  return count;
}

const char* catalogueSpotName(std::string_view name) {
  for (const TownTable& town : townTables) {
    for (const SpotRow& row : town.rows) {
      if (name == row.name) return row.name;
    }
  }
  return nullptr;
}

}  // namespace quillhaven
