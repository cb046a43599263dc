// The attribute a relationship stands for, chosen from the class or from the classes it
// inherits from, and what stays selected after a connection is deleted.
#include <algorithm>

#include "EditorFixture.h"
#include "codegen/CodegenTestSupport.h"

namespace zedro {
namespace {

using namespace editortest;
using testing::AddAttr;

const std::string kParentEntry = W("Attribut der Vorgängerklasse wählen");

int IndexOf(const Names& items, const std::string& name) {
  auto it = std::find(items.begin(), items.end(), name);
  return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

class RelationshipChoice : public WindowTest {
 protected:
  // In the next attribute choice, records the offer and takes the named entry.
  void Take(const std::string& entry, std::string* caption = nullptr, Names* items = nullptr) {
    Answer<TChooseAttributeForm>([entry, caption, items](TChooseAttributeForm& f) {
      if (caption) *caption = f.Caption;
      if (items) *items = f.Items;
      const int index = IndexOf(f.Items, entry);
      ASSERT_GE(index, 0) << entry << " is not offered";
      f.Select(index);
      f.PressOk();
    });
  }
};

// TAuto inherits from TFahrzeug, which inherits from TObjekt; a HAT from TAuto to TMotor.
class ParentAttributes : public RelationshipChoice {
 protected:
  void SetUp() override {
    RelationshipChoice::SetUp();
    autoBox = Box("TAuto", 40, 40);
    TUMLDrawClass* fahrzeug = Box("TFahrzeug", 40, 260);
    TUMLDrawClass* objekt = Box("TObjekt", 320, 260);
    TUMLDrawClass* motor = Box("TMotor", 320, 40);
    AddAttr(*autoBox->UMLClass, "farbe", "String");
    motorAttribute = AddAttr(*fahrzeug->UMLClass, "motor", "TMotor");
    AddAttr(*fahrzeug->UMLClass, "anzahlRaeder", "Integer");
    kennung = AddAttr(*objekt->UMLClass, "kennung", "String");
    Doc().AddConnection(autoBox, 6, fahrzeug, 28, TConnectionKind::Ist);
    Doc().AddConnection(fahrzeug, 17, objekt, 39, TConnectionKind::Ist);
    hat = Doc().AddConnection(autoBox, 17, motor, 39, TConnectionKind::Hat);
    w->Redraw();  // takes the parents from the IST connections
    fahrzeugClass = fahrzeug->UMLClass;
  }
  // Selects the HAT through its end, as the user does before "Attribute wählen".
  void SelectHat() {
    RightClick(Pt(autoBox, 17));
    ASSERT_EQ(hat, w->SelectedConnection);
  }

  TUMLDrawClass* autoBox = nullptr;
  TUMLClass* fahrzeugClass = nullptr;
  TConnection* hat = nullptr;
  TAttribute* motorAttribute = nullptr;
  TAttribute* kennung = nullptr;
};

TEST_F(ParentAttributes, AnAttributeOfTheParentClassIsOfferedAndTaken) {
  ASSERT_EQ(fahrzeugClass, autoBox->UMLClass->Parent);
  SelectHat();
  Names ownItems, parentItems;
  std::string parentCaption;
  Take(kParentEntry, nullptr, &ownItems);
  Take("motor", &parentCaption, &parentItems);
  Trigger("Attributwaehlen");
  EXPECT_EQ(ownItems, (Names{"farbe", kParentEntry}));
  EXPECT_EQ(parentCaption, W("Attribut der Klasse 'TFahrzeug' wählen!"));
  ASSERT_FALSE(parentItems.empty());
  EXPECT_EQ(parentItems.back(), kParentEntry);  // TFahrzeug has a parent of its own
  parentItems.pop_back();
  std::sort(parentItems.begin(), parentItems.end());
  EXPECT_EQ(parentItems, (Names{"anzahlRaeder", "motor"}));
  EXPECT_EQ(hat->Attributes.Items, std::vector<TAttribute*>{motorAttribute});

  // Offered again, the chosen attribute is preselected in its own class's list only.
  std::vector<bool> ownSelection, parentSelection;
  Answer<TChooseAttributeForm>([&ownSelection](TChooseAttributeForm& f) {
    ownSelection = f.SelectedItems;
    f.Select(static_cast<int>(f.Items.size()) - 1);
    f.PressOk();
  });
  Answer<TChooseAttributeForm>([&parentSelection](TChooseAttributeForm& f) {
    const int motor = IndexOf(f.Items, "motor");
    ASSERT_GE(motor, 0);
    parentSelection = f.SelectedItems;
    parentSelection.resize(f.Items.size());
    EXPECT_TRUE(parentSelection[static_cast<size_t>(motor)]);
    f.PressCancel();
  });
  Trigger("Attributwaehlen");
  EXPECT_EQ(std::count(ownSelection.begin(), ownSelection.end(), true), 0);
  EXPECT_EQ(std::count(parentSelection.begin(), parentSelection.end(), true), 1);
  EXPECT_EQ(hat->Attributes.Items, std::vector<TAttribute*>{motorAttribute});
}

TEST_F(ParentAttributes, TheChoiceClimbsThroughEveryAncestor) {
  SelectHat();
  std::string caption;
  Take(kParentEntry);
  Take(kParentEntry);
  Take("kennung", &caption);
  Trigger("Attributwaehlen");
  EXPECT_EQ(caption, W("Attribut der Klasse 'TObjekt' wählen!"));
  EXPECT_EQ(hat->Attributes.Items, std::vector<TAttribute*>{kennung});
}

TEST_F(ParentAttributes, ANewAttributeInTheParentsPassGoesToTheParentClass) {
  SelectHat();
  Take(kParentEntry);
  Answer<TChooseAttributeForm>([](TChooseAttributeForm& f) { f.PressNew(); });
  std::string label;
  Ok<TAttributeForm>([&label](TAttributeForm& f) {
    label = f.ClassLabel;
    f.Name = "ersatzmotor";
  });
  Take("ersatzmotor");  // the parent's list again, with the new attribute
  Trigger("Attributwaehlen");
  EXPECT_EQ(label, "Klasse : TFahrzeug");
  ASSERT_EQ(hat->Attributes.Count(), 1);
  TAttribute* chosen = hat->Attributes.Items[0];
  ASSERT_NE(nullptr, chosen);
  EXPECT_EQ(chosen->Name, "ersatzmotor");
  EXPECT_TRUE(fahrzeugClass->Attributes.Contains(chosen));
  EXPECT_FALSE(autoBox->UMLClass->Attributes.Contains(chosen));
}

// ---- what stays selected after a deletion -----------------------------------------------

class SelectionAfterDeletion : public RelationshipChoice {
 protected:
  void SetUp() override {
    RelationshipChoice::SetUp();
    a = Box("TKunde", 40, 40);
    b = Box("TBank", 320, 40);
    hat = Doc().AddConnection(a, 17, b, 39, TConnectionKind::Hat);
    auftrag = Doc().AddConnection(a, 20, b, 36, TConnectionKind::Auftrag);
    auftrag->TextBox->Lines = {"zahleEin"};
    w->Redraw();
    Click(Inside(a));  // the deletion commands need a current class
  }
  // No command of the connection menu finds anything to act on.
  void ExpectConnectionCommandsIdle() {
    const size_t asked = dialogs.asked.size();
    for (const char* item : {"Attributwaehlen", "Methodewaehlen", "LinienzugWaehlen",
                             "beziehungBearbeiten", "SchriftAendern", "CoFarbenAendern"})
      Trigger(item);
    EXPECT_EQ(dialogs.asked.size(), asked);
  }

  TUMLDrawClass* a = nullptr;
  TUMLDrawClass* b = nullptr;
  TConnection* hat = nullptr;
  TConnection* auftrag = nullptr;
};

TEST_F(SelectionAfterDeletion, TheContextMenuDeletionLeavesNoConnectionSelected) {
  RightClick(Pt(a, 17));
  ASSERT_EQ(hat, w->SelectedConnection);
  // "No" keeps the connection, still selected.
  dialogs.messages.answers = {MsgResult::No};
  Trigger("beziehungLoeschen");
  EXPECT_EQ(Doc().Connections.Count(), 2);
  EXPECT_EQ(hat, w->SelectedConnection);

  dialogs.messages.answers = {MsgResult::Yes};
  Trigger("beziehungLoeschen");
  EXPECT_EQ(LastMessage(), W("Möchten Sie die rot markierte HAT-Beziehung wirklich löschen?"));
  EXPECT_EQ(Doc().Connections.Items, std::vector<TConnection*>{auftrag});
  ASSERT_EQ(nullptr, w->SelectedConnection);
  ExpectConnectionCommandsIdle();
}

TEST_F(SelectionAfterDeletion, AConnectionDeletedThroughItsTextTakesTheTextAlong) {
  w->Redraw();
  const TInfoBox* text = auftrag->TextBox;
  ASSERT_NE(nullptr, text);
  RightClick({text->Left + 3, text->Top + 3});
  ASSERT_EQ(auftrag, w->SelectedConnection);
  ASSERT_EQ(text, w->DraggedBox);
  dialogs.messages.answers = {MsgResult::Yes};
  Trigger("beziehungLoeschen");
  EXPECT_EQ(Doc().Connections.Items, std::vector<TConnection*>{hat});
  ASSERT_EQ(nullptr, w->SelectedConnection);
  ASSERT_EQ(nullptr, w->DraggedBox);
  // The note commands have no text to change either.
  const size_t asked = dialogs.asked.size();
  for (const char* item : {"InfoBoxInhaltAendern", "InfoBoxSchrifttypAendern"}) Trigger(item);
  EXPECT_EQ(dialogs.asked.size(), asked);
}

TEST_F(SelectionAfterDeletion, DeletingByClickLeavesOnlyListedConnectionsSelected) {
  RightClick(Pt(a, 17));  // selected before the deletion
  ASSERT_EQ(hat, w->SelectedConnection);
  Trigger("deleteConnection");
  dialogs.messages.answers = {MsgResult::Yes};
  Click(Pt(a, 17));
  EXPECT_EQ(Doc().Connections.Items, std::vector<TConnection*>{auftrag});
  ASSERT_EQ(nullptr, w->SelectedConnection);
  ExpectConnectionCommandsIdle();
  EXPECT_EQ(w->Mode, EditMode::Idle);
}

TEST_F(SelectionAfterDeletion, DeletingABoxTakesItsSelectedConnection) {
  RightClick(Pt(a, 20));
  ASSERT_EQ(auftrag, w->SelectedConnection);
  Doc().CurrentBox = b;
  Doc().CurrentClass = b->UMLClass;
  dialogs.messages.answers = {MsgResult::Yes};
  w->Elements().DeleteClassClick();
  EXPECT_EQ(Doc().Connections.Count(), 0);
  ASSERT_EQ(nullptr, w->SelectedConnection);
  ExpectConnectionCommandsIdle();
}

}  // namespace
}  // namespace zedro
