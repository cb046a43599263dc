#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "model/Messages.h"
#include "model/UMLClass.h"
#include "model/Win1252.h"
#include "persistence/DiagramFile.h"
#include "persistence/Files.h"

using namespace zedro;

TEST(ClassFile, HoldsOneClassRecordAndReadsItBack) {
  const std::string path = "/tmp/zedro-umc-test-" + std::to_string(::getpid()) + ".umc";
  TUMLClass cls(W("TKäfer"));
  TMethod* krabbel = cls.AddMethod(std::make_unique<TMethod>());
  cls.AddAttribute(
         std::make_unique<TAttribute>("beine", "Integer", TVisibility::Private, StringList{}))
      ->WriteMethod = krabbel;
  ScriptedMessages messages;
  ASSERT_TRUE(WriteClassFile(cls, path, messages));
  std::string bytes;
  ASSERT_TRUE(ReadFileBytes(path, bytes));
  EXPECT_EQ(bytes.substr(0, 3), std::string("\x03\xB8\x00", 3));  // its own class version
  auto back = ReadClassFile(path, messages);
  ASSERT_TRUE(back && back->Attributes.Count() == 1);
  EXPECT_EQ(back->Name, W("TKäfer"));
  EXPECT_EQ(back->Attributes.At(0)->WriteMethod, back->Methods.At(0));
  // A damaged class file gives the stream's message and no class.
  ASSERT_TRUE(WriteFileAtomically(path, bytes.substr(0, bytes.size() / 2)));
  EXPECT_EQ(ReadClassFile(path, messages), nullptr);
  ASSERT_FALSE(messages.shown.empty());
  EXPECT_EQ(messages.shown.back().text, "Stream-Lesefehler");
  std::filesystem::remove(path);
}
