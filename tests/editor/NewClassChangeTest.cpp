// A new class is a change of the diagram: closing afterwards asks to save it. A name
// dialog that ends without a class changes nothing.
#include <filesystem>

#include "EditorFixture.h"

namespace zedro {
namespace {

using namespace editortest;

class NewClassChange : public EditorTest {
 protected:
  static void NewClass(TFChild* w) { Trigger(w, "newClass"); }
  // Closing is refused with "Abbrechen"; true when the save question came up.
  bool AsksToSave(TFChild* w) {
    const size_t before = dialogs.messages.shown.size();
    dialogs.messages.answers = {MsgResult::Cancel};
    const bool closed = w->AskClose();
    dialogs.messages.answers.clear();
    EXPECT_FALSE(closed);
    for (size_t i = before; i < dialogs.messages.shown.size(); ++i)
      if (dialogs.messages.shown[i].text.find(W("in diesem geänderten Zustand speichern?")) !=
          std::string::npos)
        return true;
    return false;
  }
};

TEST_F(NewClassChange, ANewClassInADiagramJustOpenedMarksItChanged) {
  const std::string path = Path("Fahrzeuge.urd");
  std::filesystem::copy_file(std::string(ZEDRO_SOURCE_DIR) + "/examples/Fahrzeuge.urd",
                             text::ToUtf8(path));
  TFChild* w = Open(path);
  ASSERT_NE(nullptr, w);
  ASSERT_TRUE(w->Doc().Saved);
  const int boxes = w->Doc().DrawClasses.Count();

  dialogs.inputs = {std::string("TAnhaenger")};
  NewClass(w);
  ASSERT_EQ(w->Doc().DrawClasses.Count(), boxes + 1);
  ASSERT_NE(nullptr, w->Doc().CurrentClass);
  EXPECT_EQ(w->Doc().CurrentClass->Name, "TAnhaenger");
  EXPECT_FALSE(w->Doc().Saved);
  EXPECT_TRUE(AsksToSave(w));
}

TEST_F(NewClassChange, ANewClassAfterARefusedNameMarksANewDiagramChanged) {
  TFChild* w = NewDiagram();
  ASSERT_NE(nullptr, w);
  ASSERT_TRUE(w->Doc().Saved);
  dialogs.inputs = {std::string("1Auto"), std::string("TAuto")};
  NewClass(w);
  ASSERT_EQ(w->Doc().DrawClasses.Count(), 1);
  EXPECT_FALSE(w->Doc().Saved);
  EXPECT_TRUE(AsksToSave(w));
}

TEST_F(NewClassChange, ANameDialogWithoutAClassChangesNothing) {
  TFChild* w = NewDiagram();
  ASSERT_NE(nullptr, w);
  ASSERT_TRUE(w->Doc().Saved);
  dialogs.inputs = {std::string("")};  // emptied
  NewClass(w);
  dialogs.inputs = {std::nullopt};  // cancelled
  NewClass(w);
  dialogs.inputs = {std::string("Mein Auto"), std::string("")};  // refused, then emptied
  NewClass(w);
  EXPECT_EQ(w->Doc().DrawClasses.Count(), 0);
  EXPECT_TRUE(w->Doc().Saved);
  EXPECT_FALSE(AsksToSave(w));
}

}  // namespace
}  // namespace zedro
