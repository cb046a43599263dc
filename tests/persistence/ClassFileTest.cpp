#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "diagram/DiagramDocument.h"
#include "model/Messages.h"
#include "model/Win1252.h"
#include "persistence/DiagramFile.h"
#include "persistence/Files.h"
#include "persistence/ValueStream.h"

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

TEST(SubDiagramRecord, SameClassTwiceAndObjectsWithoutAttributes) {
  DiagramDocument main;
  TUMLDrawClass* box = main.AddClassBox(std::make_unique<TUMLClass>("TLeer"));
  main.AddClassBox(std::make_unique<TUMLClass>("TAnders"));
  DiagramDocument& sub = *main.AddSubDiagram("Unterdiagramm 1 - a");
  sub.AddBoxForClass(box->UMLClass);
  sub.AddBoxForClass(box->UMLClass);
  TUMLDrawObject* obj = sub.AddObjectBox(box->UMLClass, 70, 80);
  obj->ObjectName = "o";
  ValueWriter w;
  WriteSubDiagram(w, sub, main);
  ScriptedMessages m;
  ValueReader r(w.Bytes(), m);
  EXPECT_EQ(r.ReadString(), "Unterdiagramm 1 - a");
  TFOptions o;
  o.Load(r, 184);
  TFCoOptions f;
  f.Load(r, 184);
  EXPECT_EQ(r.ReadInteger(), 3);
  EXPECT_EQ(r.ReadInteger(), 0);
  EXPECT_EQ(r.ReadInteger(), 0);
  for (int i = 0; i < 3; ++i) {
    for (int k = 0; k < 4; ++k) r.ReadInteger();
    EXPECT_EQ(r.ReadInteger(), 0);  // the class index, also for the second box
    bool isObject = r.ReadBoolean();
    EXPECT_EQ(isObject, i == 2);
    if (isObject) {
      EXPECT_EQ(r.ReadString(), "o");
      EXPECT_EQ(r.ReadInteger(), 0);  // no attributes, no values
    }
    o.Load(r, 184);
  }
  EXPECT_EQ(r.Remaining(), 0u);
}
