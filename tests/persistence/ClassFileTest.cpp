#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "diagram/DiagramDocument.h"
#include "model/Messages.h"
#include "model/Win1252.h"
#include "persistence/DiagramFile.h"
#include "persistence/Files.h"

using namespace zedro;

TEST(ClassFile, HoldsOneClassRecordAndReadsItBack) {
  auto dir =
      std::filesystem::temp_directory_path() / ("zedro-umc-test-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  std::string path = (dir / "k.umc").string();
  TUMLClass cls(W("TKäfer"));
  cls.IsLibraryClass = true;
  TMethod* krabbel = cls.AddMethod(std::make_unique<TMethod>());
  krabbel->Name = "Krabbel";
  cls.AddAttribute(std::make_unique<TAttribute>("beine", "Integer", kPrivate, StringList{}))
      ->WriteMethod = krabbel;
  ScriptedMessages messages;
  ASSERT_TRUE(WriteClassFile(cls, path, messages));
  std::string bytes;
  ASSERT_TRUE(ReadFileBytes(path, bytes));
  EXPECT_EQ(bytes.substr(0, 3), std::string("\x03\xB8\x00", 3));  // its own class version
  auto back = ReadClassFile(path, messages);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->Name, W("TKäfer"));
  EXPECT_TRUE(back->IsLibraryClass);
  ASSERT_EQ(back->Attributes.Count(), 1);
  EXPECT_EQ(back->Attributes.At(0)->WriteMethod, back->Methods.At(0));
  // A damaged class file gives the stream's message and no class.
  ASSERT_TRUE(WriteFileAtomically(path, bytes.substr(0, bytes.size() / 2)));
  EXPECT_EQ(ReadClassFile(path, messages), nullptr);
  EXPECT_EQ(messages.shown.back().text, "Stream-Lesefehler");
  std::filesystem::remove_all(dir);
}

// The record names each box by its class's index in the main diagram, also when a class
// has several boxes; object boxes of a class without attributes hold no values.
TEST(SubDiagramRecord, SameClassTwiceAndObjectsWithoutAttributes) {
  DiagramDocument main;
  TUMLDrawClass* box = main.AddClassBox(std::make_unique<TUMLClass>("TLeer"));
  main.AddClassBox(std::make_unique<TUMLClass>("TAnders"));
  DiagramDocument& sub = *main.AddSubDiagram("Unterdiagramm 1 - a");
  sub.AddBoxForClass(box->UMLClass);
  sub.AddBoxForClass(box->UMLClass);
  sub.AddObjectBox(box->UMLClass, 70, 80)->ObjectName = "o";
  DiagramDocument back;
  ScriptedMessages m;
  ASSERT_TRUE(ReadDiagram(back, DiagramToBytes(main), "/p/a.urd", m).completed);
  const TDrawClassList& boxes = back.SubDiagrams.at(0)->DrawClasses;
  ASSERT_EQ(boxes.Count(), 3);
  for (TUMLDrawClass* b : boxes.Items) EXPECT_EQ(b->UMLClass, back.DrawClasses.At(0)->UMLClass);
  ASSERT_TRUE(boxes.At(2)->IsObjectBox());
  EXPECT_EQ(static_cast<TUMLDrawObject*>(boxes.At(2))->ObjectName, "o");
}
