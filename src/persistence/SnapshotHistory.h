// The undo and redo steps of a diagram as snapshots of its bytes. Only the newest state
// is kept whole; every older and every newer state is kept as the difference to its
// neighbour (the bytes between the common beginning and the common end), so that moving a
// box in a large diagram costs a few bytes. The history stays within a byte budget: the
// oldest steps go first, then the steps farthest ahead of the current state.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>

namespace zedro {

class SnapshotHistory {
 public:
  static constexpr size_t kDefaultBudget = size_t{64} * 1024 * 1024;

  explicit SnapshotHistory(size_t byteBudget = kDefaultBudget) : budget_(byteBudget) {}

  // Forgets every step; the snapshot becomes the current state, counted as saved.
  void Reset(std::string snapshot);
  // A new current state reached by the named step. Nothing is recorded (false) when it is
  // the same as the current one. The steps that could be redone are dropped.
  bool Record(std::string snapshot, const std::string& name);

  bool CanUndo() const { return !undo_.empty(); }
  bool CanRedo() const { return !redo_.empty(); }
  // The name of the step that Undo takes back, or that Redo does again; empty when none.
  const std::string& UndoName() const;
  const std::string& RedoName() const;
  // Goes one step back or forward and returns the state reached (the current one when
  // there is no such step).
  const std::string& Undo();
  const std::string& Redo();

  const std::string& Current() const { return current_; }
  size_t UndoCount() const { return undo_.size(); }
  size_t RedoCount() const { return redo_.size(); }
  // The bytes the history holds: the current state and every difference.
  size_t Bytes() const { return bytes_; }
  size_t Budget() const { return budget_; }

  // The current state is the one on disk.
  void MarkSaved() { saved_ = Position(); }
  // No state held is the one on disk.
  void MarkUnsaved() { saved_ = -1; }
  bool AtSavedState() const { return saved_ == Position(); }

 private:
  // The neighbouring state: the current state with its bytes between the first `prefix`
  // and the last `suffix` ones replaced by `middle`.
  struct Delta {
    size_t prefix = 0;
    size_t suffix = 0;
    std::string middle;
    std::string name;
    size_t Size() const { return middle.size() + name.size() + sizeof(Delta); }
  };
  // The bytes of `to` between its common beginning and common end with its neighbour.
  static Delta Difference(const std::string& to, size_t prefix, size_t suffix);
  static std::string Apply(const std::string& state, const Delta& d);
  // Goes to the neighbouring state of the step at the back of `from`; the way back goes
  // onto `to`.
  const std::string& Step(std::deque<Delta>& from, std::deque<Delta>& to);
  // Position of the current state counted from the first state ever recorded.
  std::int64_t Position() const { return base_ + static_cast<std::int64_t>(undo_.size()); }
  void DropRedo();
  void KeepWithinBudget();

  size_t budget_;
  std::string current_;
  std::deque<Delta> undo_;  // back: the step just made
  std::deque<Delta> redo_;  // back: the next step to redo
  size_t bytes_ = 0;
  std::int64_t base_ = 0;    // position of the oldest state still held
  std::int64_t saved_ = 0;   // position of the saved state; -1 when it is gone
};

}  // namespace zedro
