// The hint's worker thread.
#include "ui/HintSearch.h"

#include <QMetaObject>

#include "solver/Solver.h"

namespace zarvel {

std::vector<solver::Move> HintSearch::solveWithTheSolver(const solver::Grid& grid) {
  return solver::solve(grid).moves;
}

HintSearch::HintSearch(Found found, Solve solve, QObject* parent)
    : QObject(parent), found_(std::move(found)), solve_(std::move(solve)) {}

HintSearch::~HintSearch() {
  if (worker_.joinable()) worker_.join();
}

void HintSearch::request(const solver::Grid& grid, std::uint64_t version) {
  // The thread before has ended by the time its answer was handed back.
  if (worker_.joinable()) worker_.join();
  worker_ = std::thread([this, grid, version] {
    std::vector<solver::Move> moves = solve_(grid);
    // Queued: `finished` runs on the window's thread, after this thread has let go of
    // everything but its own end.
    QMetaObject::invokeMethod(
        this,
        [this, version, moves = std::move(moves)]() mutable {
          finished(version, std::move(moves));
        },
        Qt::QueuedConnection);
  });
}

void HintSearch::finished(std::uint64_t version, std::vector<solver::Move> moves) {
  worker_.join();
  found_(version, std::move(moves));
}

}  // namespace zarvel
