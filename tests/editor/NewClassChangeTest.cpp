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

TEST_F(NewClassChange, ANewClassMarksTheDiagramChangedAndANameDialogWithoutOneDoesNot) {
  const std::string example = Path("Fahrzeuge.urd");
  std::filesystem::copy_file(std::string(ZEDRO_SOURCE_DIR) + "/examples/Fahrzeuge.urd",
                             text::ToUtf8(example));
  using Inputs = std::deque<std::optional<std::string>>;
  const struct {
    const char* what;
    bool opened;
    std::vector<Inputs> names;  // one list of answers for each use of the command
    const char* created;        // the class created, nullptr when none
  } cases[] = {
      {"in a diagram just opened", true, {{"TAnhaenger"}}, "TAnhaenger"},
      {"after a refused name", false, {{"1Auto", "TAuto"}}, "TAuto"},
      {"emptied, cancelled, refused and emptied", false,
       {{""}, {std::nullopt}, {"Mein Auto", ""}}, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TFChild* w = c.opened ? Open(example) : NewDiagram();
    ASSERT_NE(nullptr, w);
    ASSERT_TRUE(w->Doc().Saved);
    const int boxes = w->Doc().DrawClasses.Count();
    for (const Inputs& names : c.names) {
      dialogs.inputs = names;
      NewClass(w);
    }
    ASSERT_EQ(boxes + (c.created ? 1 : 0), w->Doc().DrawClasses.Count());
    if (c.created) {
      ASSERT_NE(nullptr, w->Doc().CurrentClass);
      EXPECT_EQ(c.created, w->Doc().CurrentClass->Name);
    }
    EXPECT_EQ(!c.created, w->Doc().Saved);
    EXPECT_EQ(c.created != nullptr, AsksToSave(w));
  }
}

}  // namespace
}  // namespace zedro
