#include "persistence/SnapshotHistory.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using zedro::SnapshotHistory;

namespace {

// A state of about n bytes whose step number sits somewhere in the middle.
std::string State(int step, size_t n = 1000) {
  std::string s(n, 'x');
  const std::string mark = "<" + std::to_string(step) + ">";
  s.replace(n / 2, mark.size(), mark);
  return s;
}

}  // namespace

TEST(SnapshotHistoryTest, UndoAndRedoGiveBackEveryStateExactly) {
  SnapshotHistory h;
  h.Reset("anfang");
  // Growing, shrinking, changed at the start, the end, everywhere, emptied.
  const std::vector<std::string> states = {"anfang und mehr", "anfang", "Xnfang", "XnfangY",
                                           "", "ganz anders", "ganz anders"};
  int recorded = 0;
  for (size_t i = 0; i < states.size(); ++i)
    if (h.Record(states[i], "Schritt " + std::to_string(i))) ++recorded;
  EXPECT_EQ(6, recorded) << "the unchanged last state is no step";
  EXPECT_EQ("Schritt 5", h.UndoName());
  std::vector<std::string> back;
  while (h.CanUndo()) back.push_back(h.Undo());
  EXPECT_EQ((std::vector<std::string>{"", "XnfangY", "Xnfang", "anfang", "anfang und mehr",
                                      "anfang"}),
            back);
  EXPECT_EQ("Schritt 0", h.RedoName());
  std::vector<std::string> forward;
  while (h.CanRedo()) forward.push_back(h.Redo());
  EXPECT_EQ((std::vector<std::string>{"anfang und mehr", "anfang", "Xnfang", "XnfangY", "",
                                      "ganz anders"}),
            forward);
  EXPECT_EQ("ganz anders", h.Current());
  EXPECT_EQ(h.Undo(), "");
  EXPECT_EQ("Schritt 5", h.RedoName());
}

TEST(SnapshotHistoryTest, ANewStepDropsTheStepsThatCouldBeRedone) {
  SnapshotHistory h;
  h.Reset(State(0));
  h.Record(State(1), "eins");
  h.Record(State(2), "zwei");
  h.Undo();
  h.Undo();
  EXPECT_EQ(2u, h.RedoCount());
  EXPECT_TRUE(h.Record(State(7), "sieben"));
  EXPECT_FALSE(h.CanRedo());
  EXPECT_EQ("sieben", h.UndoName());
  EXPECT_EQ(State(0), h.Undo());
  EXPECT_FALSE(h.CanUndo());
  EXPECT_EQ(State(0), h.Undo()) << "nothing to undo leaves the state";
}

TEST(SnapshotHistoryTest, SavedStateFollowsUndoRedoAndDisappearsWithItsStep) {
  SnapshotHistory h;
  h.Reset(State(0));
  EXPECT_TRUE(h.AtSavedState());
  h.Record(State(1), "eins");
  EXPECT_FALSE(h.AtSavedState());
  h.Undo();
  EXPECT_TRUE(h.AtSavedState());
  h.Redo();
  h.MarkSaved();
  h.Record(State(2), "zwei");
  h.Undo();
  EXPECT_TRUE(h.AtSavedState());
  h.Undo();
  EXPECT_FALSE(h.AtSavedState());
  // A new step from here drops the saved state ahead: it can no longer be reached.
  h.Record(State(9), "neun");
  h.Undo();
  EXPECT_FALSE(h.AtSavedState());
  h.Redo();
  EXPECT_FALSE(h.AtSavedState());
}

TEST(SnapshotHistoryTest, SmallChangesOfALargeStateCostFewBytes) {
  SnapshotHistory h;
  const size_t n = 1 << 20;
  h.Reset(State(0, n));
  for (int i = 1; i <= 300; ++i) ASSERT_TRUE(h.Record(State(i, n), "Verschieben"));
  EXPECT_EQ(300u, h.UndoCount());
  EXPECT_LT(h.Bytes(), n + 200 * 300);
  for (int i = 0; i < 200; ++i) h.Undo();
  EXPECT_EQ(State(100, n), h.Current());
  EXPECT_LT(h.Bytes(), n + 200 * 300);
}

TEST(SnapshotHistoryTest, StaysWithin64MegabytesDroppingTheOldestStepsFirst) {
  SnapshotHistory h;
  EXPECT_EQ(size_t{64} * 1024 * 1024, h.Budget());
  // Steps that change a whole 1 MB state: 64 of them fill the budget.
  const size_t n = 1 << 20;
  auto whole = [n](int i) { return std::string(n, static_cast<char>('a' + i % 26)); };
  h.Reset(whole(0));
  for (int i = 1; i <= 100; ++i) {
    h.Record(whole(i), "Schritt " + std::to_string(i));
    ASSERT_LE(h.Bytes(), h.Budget()) << "after step " << i;
  }
  EXPECT_GT(h.UndoCount(), 50u);
  EXPECT_LT(h.UndoCount(), 100u);
  EXPECT_FALSE(h.AtSavedState());
  // The oldest that is left is the first to be kept, and every step still undoes exactly.
  int steps = 0;
  while (h.CanUndo()) {
    EXPECT_EQ("Schritt " + std::to_string(100 - steps), h.UndoName());
    const std::string& s = h.Undo();
    ++steps;
    ASSERT_EQ(whole(100 - steps), s);
    ASSERT_LE(h.Bytes(), h.Budget());
  }
  EXPECT_FALSE(h.AtSavedState()) << "the saved first state was dropped";
}

TEST(SnapshotHistoryTest, KeepsAtLeastAHundredStepsOfUsualSize) {
  SnapshotHistory h;
  // A diagram of 500 classes is about 2 MB; a step changes a few of its classes.
  const size_t n = 2 << 20;
  auto usual = [n](int i) {
    std::string s(n, 'x');
    s.replace(n / 4, 20000, std::string(20000, static_cast<char>('A' + i % 26)));
    s.replace(n / 4 + 100, 8, std::to_string(10000000 + i));
    return s;
  };
  h.Reset(usual(0));
  for (int i = 1; i <= 150; ++i) ASSERT_TRUE(h.Record(usual(i), "Klasse ändern"));
  EXPECT_EQ(150u, h.UndoCount());
  for (int i = 0; i < 150; ++i) h.Undo();
  EXPECT_EQ(usual(0), h.Current());
  EXPECT_TRUE(h.AtSavedState());
}

TEST(SnapshotHistoryTest, ASmallBudgetDropsRedoStepsWhenUndoStepsAreGone) {
  SnapshotHistory h(3000);
  h.Reset(std::string(1000, 'a'));
  h.Record(std::string(1000, 'b'), "b");
  EXPECT_EQ(1u, h.UndoCount());
  h.Record(std::string(1000, 'c'), "c");
  EXPECT_LE(h.Bytes(), 3000u);
  EXPECT_EQ(1u, h.UndoCount()) << "the oldest step went";
  EXPECT_EQ(std::string(1000, 'b'), h.Undo());
  EXPECT_FALSE(h.CanUndo());
  EXPECT_EQ(std::string(1000, 'c'), h.Redo());
}
