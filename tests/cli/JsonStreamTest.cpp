// The JSON writer of zedro-cli, streaming to a sink: the same text as when it is collected
// in memory, handed on in blocks instead of being held as a whole.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/DumpJson.h"
#include "cli/Json.h"
#include "diagram/DiagramDocument.h"
#include "model/Win1252.h"

namespace zedro::cli {
namespace {

TEST(JsonStream, StreamsTheTextOfCollectingInBlocks) {
  DiagramDocument doc;
  for (int i = 0; i < 300; ++i) {
    auto cls = std::make_unique<TUMLClass>(W("TGröße") + std::to_string(i));
    cls->Documentation = {"\"zitiert\"\t\\", std::string(1, '\x01')};
    cls->AddAttribute(
        std::make_unique<TAttribute>("a", "Integer", TVisibility::Public, StringList{}));
    doc.AddClassBox(std::move(cls));
  }
  Json collected;
  WriteDiagram(collected, doc, 184);

  std::ostringstream sink;
  size_t largestPending = 0;
  {
    Json streamed(sink);
    streamed.BeginObject().Key("Klassen").BeginArray();
    for (const TUMLDrawClass* box : doc.DrawClasses.Items) {
      WriteClass(streamed, *box->UMLClass);
      largestPending = std::max(largestPending, streamed.Text().size());
    }
    streamed.EndArray().EndObject();
  }  // the destructor writes the rest
  EXPECT_LT(largestPending, 70000u);
  EXPECT_GT(sink.str().size(), 140000u);

  std::ostringstream whole;
  {
    Json streamed(whole);
    WriteDiagram(streamed, doc, 184);
    streamed.Flush();
    EXPECT_EQ(streamed.Text(), "");
  }
  EXPECT_EQ(whole.str(), collected.Text());
  EXPECT_NE(collected.Text().find("\"TGröße17\""), std::string::npos);
  EXPECT_NE(collected.Text().find("\"\\\"zitiert\\\"\\t\\\\\""), std::string::npos);
  EXPECT_NE(collected.Text().find("\"\\u0001\""), std::string::npos);
}

}  // namespace
}  // namespace zedro::cli
