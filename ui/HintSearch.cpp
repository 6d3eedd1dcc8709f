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
  if (running_) {
    waiting_ = Request{grid, version};
  } else {
    start(Request{grid, version});
  }
}

bool HintSearch::searching(std::uint64_t version) const {
  return running_ == version || (waiting_ && waiting_->version == version);
}

void HintSearch::start(const Request& request) {
  running_ = request.version;
  worker_ = std::thread([this, request] {
    std::vector<solver::Move> moves = solve_(request.grid);
    // Queued: `finished` runs on the window's thread, after this thread has let go of
    // everything but its own end.
    QMetaObject::invokeMethod(
        this,
        [this, version = request.version, moves = std::move(moves)]() mutable {
          finished(version, std::move(moves));
        },
        Qt::QueuedConnection);
  });
}

void HintSearch::finished(std::uint64_t version, std::vector<solver::Move> moves) {
  worker_.join();
  running_.reset();
  if (waiting_) {
    const Request next = *waiting_;
    waiting_.reset();
    start(next);
  }
  found_(version, std::move(moves));
}

}  // namespace zarvel
