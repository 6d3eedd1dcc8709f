// Fitting the beam's score to boards whose distance from solved is known: the boards of
// the routes a wide beam finds, and boards a few moves from solved, measured exactly.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "solver/BeamScore.h"
#include "solver/Grid.h"

namespace zarvel::solver {

// How many groups of squares that share an offset a goal's rows hold, by the offset's
// distance and the group's size, [7 * (distance - 1) + squares - 1]: what the score counts.
using ScoreFeatures = std::array<double, 3 * kLines>;

// A board's features for the goal that a route to it solves; how many moves it is from
// solved (at most, for a route's boards); and which boards it is compared with: a route's
// boards those as many moves from the deal (the beam ranks a layer's boards against each
// other), the boards near solved each other.
struct FitSample {
  ScoreFeatures features{};
  double distance = 0;
  int group = 0;
};

// The features of a board oriented for the column goal, with the targets the beam would
// start it from.
ScoreFeatures scoreFeatures(const Grid& oriented);
// The same for given targets.
ScoreFeatures scoreFeatures(const Grid& oriented, const Targets& targets);

// The boards along the answers a beam of `width` finds for the deals first, first + step,
// ... up to last, up to `layers` moves into them, with the moves their answer still takes.
std::vector<FitSample> routeSamples(std::int32_t first, std::int32_t last, std::int32_t step,
                                    int width, int layers);

// The unsolved boards among `count` made by up to `depth` random moves from solved boards
// (from a fixed seed) that a shortest solution of at most `depth` moves solves, with its
// length. They are all in one group, past the routes' layers.
std::vector<FitSample> nearSolvedSamples(int count, int depth);

// The score table that ranks the boards of each group most like their distance, by least
// squares with a constant per group, in the source's units (a single square one column
// from its target scores 20) and no entry below zero.
using GroupScores = std::array<std::array<std::int16_t, kLines>, 3>;
GroupScores fitGroupScores(const std::vector<FitSample>& samples);

}  // namespace zarvel::solver
