// Layout of class and object boxes on the recording canvas (6 px per character, 7 in bold,
// texts 13 px high with the default 11-pixel font).
#include <gtest/gtest.h>

#include "diagram/DiagramDocument.h"
#include "diagram/PaintFixtures.h"
#include "model/Notation.h"

namespace zedro {
namespace {

using testing::Attr;
using testing::Method;
using testing::PaintedDiagram;
using testing::RectOf;
using Op = RecordingCanvas::Op;

TEST(ClassBoxPaint, CompartmentsOfABoxWithOneAttributeAndOneMethod) {
  NotationScope delphi(1);
  PaintedDiagram d;
  TUMLDrawClass* box = d.BoxAt("Konto", 50, 50, 0, 0);
  box->UMLClass->AddAttribute(Attr("stand", "Integer"));
  box->UMLClass->AddMethod(Method("einzahlen"));
  box->Paint();

  // Widest line (17 characters) plus 4 on the left and 6 on the right.
  EXPECT_EQ(50 + 4 + 17 * 6 + 6, box->Right);
  EXPECT_EQ(109, box->Bottom);
  // The bold name is centred: 5 characters of 7 pixels.
  EXPECT_TRUE(d.TextAt("Konto", 50 + (box->Right - 50 - 35) / 2, 54));
  EXPECT_TRUE(d.TextAt("- stand: Integer", 54, 73));
  EXPECT_TRUE(d.TextAt("+ !  einzahlen ()", 54, 92));
  EXPECT_TRUE(d.HasLine(50, 69, box->Right, 69));
  EXPECT_TRUE(d.HasLine(50, 88, box->Right, 88));
  auto frames = d.canvas.Of(Op::Rectangle);
  ASSERT_EQ(1u, frames.size());
  EXPECT_EQ((TRect{50, 50, box->Right, 109}), RectOf(frames[0]));
}

TEST(ClassBoxPaint, EmptyClassAndClampingToTheSurfaceCorner) {
  PaintedDiagram d;
  TUMLDrawClass* box = d.BoxAt("A", -40, -7, 0, 0);
  box->Paint();
  EXPECT_EQ((TRect{3, 3, 3 + 7 + 6, 3 + 29}),
            (TRect{box->Left, box->Top, box->Right, box->Bottom}));
  TUMLDrawClass* unnamed = d.BoxAt("", 100, 50, 0, 0);
  unnamed->Paint();
  EXPECT_EQ(106, unnamed->Right);  // never narrower than 6
}

TEST(ClassBoxPaint, FiltersAndTheVisibilitySymbolSetting) {
  PaintedDiagram d;
  TUMLDrawClass* box = d.Box("K");
  box->UMLClass->AddAttribute(Attr("geheim", "Integer", TVisibility::Private));
  box->UMLClass->AddAttribute(Attr("offen", "Integer", TVisibility::Public));
  box->UMLClass->AddMethod(Method("m", TMethodKind::Procedure, "", TVisibility::Protected));
  box->Options.RgPrivate = TShowOption::No;
  box->Paint();
  EXPECT_FALSE(d.canvas.FindText("- geheim: Integer"));
  EXPECT_TRUE(d.Drawn({"+ offen: Integer", "# !  m ()"}));
}

TEST(ClassBoxPaint, NarrowModeBreaksTheParameterList) {
  NotationScope delphi(1);
  PaintedDiagram d;
  TUMLDrawClass* box = d.BoxAt("R", 10, 10, 0, 0);
  auto m = Method("rechne", TMethodKind::Function, "Integer");
  m->Parameters = {{"a", "Integer"}, {"b", "Integer"}};
  box->UMLClass->AddMethod(std::move(m));
  box->Options.RGWidth = TWidthOption::Narrow;
  box->Paint();
  const int xp = 14 + 13 * 6, yMethod = 10 + 23 + 4;
  EXPECT_TRUE(d.TextAt("+ ?  rechne (", 14, yMethod));
  EXPECT_TRUE(d.TextAt("a: Integer;", xp, yMethod));
  EXPECT_TRUE(d.TextAt(" b: Integer", xp, yMethod + 15));
  EXPECT_TRUE(d.TextAt("): Integer", xp + 11 * 6, yMethod + 15));
  EXPECT_EQ(yMethod + 30 + 2, box->Bottom);
  EXPECT_EQ(xp + 11 * 6 + 10 * 6 + 6, box->Right);
}

TEST(ClassBoxGeometry, BorderPointsAndHitTests) {
  TUMLDrawClass box(0, 0, nullptr, nullptr, nullptr);
  box.Left = 100, box.Top = 50, box.Right = 160, box.Bottom = 90;
  // Eleven points a side, clockwise from the top: the right side downwards, the bottom
  // leftwards, the left side upwards. Point 0 is taken as point 1.
  const int points[][4] = {{0, 105, 50, 1},
                           {11, 155, 50, 1},
                           {12, 160, 50 + 40 / 12, 2},
                           {23, 155, 90, 3},
                           {34, 100, 90 - 40 / 12, 4}};
  for (const auto& p : points) {
    EXPECT_EQ(p[1], box.BorderPointX(p[0])) << p[0];
    EXPECT_EQ(p[2], box.BorderPointY(p[0])) << p[0];
    EXPECT_EQ(p[3], static_cast<int>(box.SideOfBorderPoint(p[0]))) << p[0];
  }
  EXPECT_EQ(TBorderSide::Bottom, box.SideOfBorderPoint(33));
  EXPECT_EQ(3, box.BorderPointAt(115 + 3, 50 + 2));  // distance 3.6
  EXPECT_EQ(-1, box.BorderPointAt(115 + 4, 50 + 50));
  box.Top = 0, box.Bottom = 200;                 // keep other points away
  EXPECT_EQ(-1, box.BorderPointAt(115, 0 - 4));  // distance 4.0
  EXPECT_FALSE(box.ContainsPoint(100, 70));
  EXPECT_TRUE(box.ContainsPoint(101, 70));
  EXPECT_FALSE(box.ContainsPoint(160, 70));
}

TEST(ClassBoxGeometry, EachNewBoxLandsOnePixelFurther) {
  DiagramDocument doc;
  TUMLDrawClass* a = doc.AddClassBox(std::make_unique<TUMLClass>("A"));
  TUMLDrawClass* b = doc.AddClassBox(std::make_unique<TUMLClass>("B"));
  TUMLDrawClass* c = doc.AddClassBox(std::make_unique<TUMLClass>("C"));
  EXPECT_EQ((std::vector<int>{51, 51, 52, 52, 53, 53}),
            (std::vector<int>{a->Left, a->Top, b->Left, b->Top, c->Left, c->Top}));
}

TEST(ClassBoxGeometry, FarCoordinatesDoNotOverflow) {
  PaintedDiagram d;
  EXPECT_EQ(0, d.BoxAt("Breit", -2000000000, 0, 2000000000, 10)->BorderPointX(6));
  TUMLDrawClass* far = d.BoxAt("Weit", 2147483000, 2147483000, 0, 0);
  far->Paint();
  EXPECT_LT(far->Left, far->Right);
  EXPECT_LT(far->Top, far->Bottom);
}

TEST(ObjectBoxPaint, ValuesCalledMethodsAndHead) {
  PaintedDiagram d;
  TUMLDrawClass* cls = d.Box("Konto");
  TAttribute* stand = cls->UMLClass->AddAttribute(Attr("stand", "Integer", TVisibility::Private));
  cls->UMLClass->AddAttribute(Attr("inhaber", "String", TVisibility::Private));
  TMethod* einzahlen = cls->UMLClass->AddMethod(Method("einzahlen"));
  cls->UMLClass->AddMethod(Method("saldo", TMethodKind::Function, ""));
  cls->UMLClass->AddMethod(Method("zins", TMethodKind::Function, "Real"));
  TUMLDrawObject* obj = d.doc.AddObjectBox(cls->UMLClass, 100, 100);
  obj->ObjectName = "k1";
  const int at = obj->Values.AttributeAt(0) == stand ? 0 : 1;
  obj->Values.Item(at).Value = "100";
  d.doc.AddConnection(cls, 1, obj, 1, TConnectionKind::Auftrag)->Method = einzahlen;
  obj->Paint();

  ASSERT_TRUE(d.canvas.FindText("k1 : Konto"));
  EXPECT_TRUE(d.canvas.FindText("k1 : Konto")->font.Underline);
  EXPECT_TRUE(d.Drawn({"stand -> 100", "inhaber -> -", " ! einzahlen"}));
  EXPECT_FALSE(d.canvas.FindText(" ? zins"));  // filtered and not called
  EXPECT_FALSE(d.canvas.FindText(" ! saldo"));

  // An empty value hides the attribute while its filter says "nein".
  obj->Values.Item(at).Value = "";
  obj->Options.RgPublic = TShowOption::Yes;
  obj->Options.RGWidth = TWidthOption::Normal;
  d.canvas.Clear();
  obj->Paint();
  EXPECT_FALSE(d.canvas.FindText("stand: Integer -> "));
  // The marker follows the result type, not the kind.
  EXPECT_TRUE(d.Drawn({"inhaber: String -> -", " ! saldo ()", " ? zins (): Real"}));
}

}  // namespace
}  // namespace zedro
