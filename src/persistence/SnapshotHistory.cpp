#include "persistence/SnapshotHistory.h"

#include <algorithm>

namespace zedro {

namespace {

const std::string kNoName;

size_t CommonPrefix(const std::string& a, const std::string& b) {
  const size_t n = std::min(a.size(), b.size());
  const auto mismatch = std::mismatch(a.begin(), a.begin() + static_cast<std::ptrdiff_t>(n), b.begin());
  return static_cast<size_t>(mismatch.first - a.begin());
}

// The common end, not reaching into the common beginning of either.
size_t CommonSuffix(const std::string& a, const std::string& b, size_t prefix) {
  const size_t n = std::min(a.size(), b.size()) - prefix;
  size_t k = 0;
  while (k < n && a[a.size() - 1 - k] == b[b.size() - 1 - k]) ++k;
  return k;
}

}  // namespace

SnapshotHistory::Delta SnapshotHistory::Difference(const std::string& to, size_t prefix,
                                                   size_t suffix) {
  Delta d;
  d.prefix = prefix;
  d.suffix = suffix;
  d.middle = to.substr(prefix, to.size() - prefix - suffix);
  return d;
}

std::string SnapshotHistory::Apply(const std::string& state, const Delta& d) {
  std::string result;
  result.reserve(d.prefix + d.middle.size() + d.suffix);
  result.append(state, 0, d.prefix);
  result.append(d.middle);
  result.append(state, state.size() - d.suffix, d.suffix);
  return result;
}

void SnapshotHistory::Reset(std::string snapshot) {
  undo_.clear();
  redo_.clear();
  current_ = std::move(snapshot);
  bytes_ = current_.size();
  base_ = 0;
  saved_ = 0;
}

bool SnapshotHistory::Record(std::string snapshot, const std::string& name) {
  const size_t prefix = CommonPrefix(current_, snapshot);
  if (prefix == current_.size() && prefix == snapshot.size()) return false;
  const size_t suffix = CommonSuffix(current_, snapshot, prefix);
  DropRedo();
  // Back from the new state to the one it replaces.
  Delta back = Difference(current_, prefix, suffix);
  back.name = name;
  bytes_ += back.Size();
  bytes_ -= current_.size();
  undo_.push_back(std::move(back));
  current_ = std::move(snapshot);
  bytes_ += current_.size();
  KeepWithinBudget();
  return true;
}

const std::string& SnapshotHistory::UndoName() const {
  return undo_.empty() ? kNoName : undo_.back().name;
}

const std::string& SnapshotHistory::RedoName() const {
  return redo_.empty() ? kNoName : redo_.back().name;
}

const std::string& SnapshotHistory::Undo() { return Step(undo_, redo_); }
const std::string& SnapshotHistory::Redo() { return Step(redo_, undo_); }

const std::string& SnapshotHistory::Step(std::deque<Delta>& from, std::deque<Delta>& to) {
  if (from.empty()) return current_;
  Delta there = std::move(from.back());
  from.pop_back();
  std::string next = Apply(current_, there);
  // The way back has the same common beginning and end.
  Delta back = Difference(current_, there.prefix, there.suffix);
  back.name = std::move(there.name);
  bytes_ += back.Size() + next.size();
  bytes_ -= there.Size() + current_.size();
  to.push_back(std::move(back));
  current_ = std::move(next);
  KeepWithinBudget();
  return current_;
}

void SnapshotHistory::DropRedo() {
  for (const Delta& d : redo_) bytes_ -= d.Size();
  redo_.clear();
  if (saved_ > Position()) saved_ = -1;
}

void SnapshotHistory::KeepWithinBudget() {
  while (bytes_ > budget_ && !undo_.empty()) {
    bytes_ -= undo_.front().Size();
    undo_.pop_front();
    ++base_;
    if (saved_ >= 0 && saved_ < base_) saved_ = -1;
  }
  while (bytes_ > budget_ && !redo_.empty()) {
    bytes_ -= redo_.front().Size();
    redo_.pop_front();
    const std::int64_t last = Position() + static_cast<std::int64_t>(redo_.size());
    if (saved_ > last) saved_ = -1;
  }
}

}  // namespace zedro
