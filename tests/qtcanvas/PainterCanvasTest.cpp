// The canvas on any paint device, and the pictures drawn with it: the same layout as on the
// screen at every scale, lines on the scaled pixels of the screen's, texts within their
// boxes, and SVG and PDF documents that hold the texts as text.
#include <gtest/gtest.h>

#include <QImage>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <algorithm>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "CanvasPixels.h"
#include "codegen/CodegenTestSupport.h"
#include "diagram/DiagramDocument.h"
#include "diagram/Redraw.h"
#include "editor/canvas/DiagramPicture.h"
#include "editor/canvas/PainterCanvas.h"
#include "editor/canvas/QtCanvas.h"
#include "model/Messages.h"
#include "model/Notation.h"
#include "model/Win1252.h"
#include "support/PdfFacts.h"

namespace zedro {
namespace {

using namespace canvastest;

// A diagram with every kind of element: class boxes with members, an object box, all five
// connection kinds with their texts, and a note with an umlaut.
std::unique_ptr<DiagramDocument> SampleDiagram() {
  auto doc = std::make_unique<DiagramDocument>();
  auto konto = std::make_unique<TUMLClass>("TKonto");
  konto->AddAttribute(std::make_unique<TAttribute>("stand", "Integer", TVisibility(0), StringList{}));
  testing::AddMeth(*konto, {"einzahlen", TMethodKind::Procedure, {{"betrag", "Integer"}}});
  testing::AddMeth(*konto, {"GibStand", TMethodKind::Function, {}, "Integer"});
  TUMLDrawClass* k = doc->AddClassBox(std::move(konto));
  k->Left = 40, k->Top = 40;
  auto kunde = std::make_unique<TUMLClass>("TKunde");
  kunde->AddAttribute(std::make_unique<TAttribute>("konten", "TKonto", TVisibility(2), StringList{}));
  TUMLDrawClass* c = doc->AddClassBox(std::move(kunde));
  c->Left = 360, c->Top = 40;
  TUMLDrawClass* g = doc->AddClassBox(std::make_unique<TUMLClass>("TGirokonto"));
  g->Left = 40, g->Top = 260;
  TUMLDrawObject* o = doc->AddObjectBox(k->UMLClass, 360, 260);
  o->ObjectName = "k1";

  TConnection* ist = doc->AddConnection(g, 6, k, 28, TConnectionKind::Ist);
  ist->Color = DefaultConnectionColor(TConnectionKind::Ist);
  TConnection* hat = doc->AddConnection(c, 40, k, 17, TConnectionKind::Hat);
  hat->Color = DefaultConnectionColor(TConnectionKind::Hat);
  hat->EndText = "1..*";
  hat->LineShape = 1;
  hat->TextBox->AddLine("Konten des Kunden");
  hat->Attributes.Add(c->UMLClass->Attributes.At(0));
  TConnection* kennt = doc->AddConnection(o, 39, g, 19, TConnectionKind::Kennt);
  kennt->Color = DefaultConnectionColor(TConnectionKind::Kennt);
  kennt->EndText = "0..1";
  TConnection* auftrag = doc->AddConnection(c, 28, o, 6, TConnectionKind::Auftrag);
  auftrag->Color = DefaultConnectionColor(TConnectionKind::Auftrag);
  auftrag->TextBox->AddLine("einzahlen");
  TConnection* anfrage = doc->AddConnection(c, 30, k, 25, TConnectionKind::Anfrage);
  anfrage->Color = DefaultConnectionColor(TConnectionKind::Anfrage);
  anfrage->TextBox->AddLine("GibStand ?");
  TInfoBox* note = doc->AddInfoBox(40, 400);
  note->AddLine(W("Übersicht der Bank"));
  return doc;
}

// Where every element lies after a redraw.
std::vector<int> Geometry(const DiagramDocument& doc) {
  std::vector<int> g{doc.Surface.Width, doc.Surface.Height};
  for (const TUMLDrawClass* b : doc.DrawClasses.Items) g.insert(g.end(), {b->Left, b->Top, b->Right, b->Bottom});
  for (const TConnection* c : doc.Connections.Items)
    g.insert(g.end(), {c->StartX, c->StartY, c->EndX, c->EndY, c->TextBox->Left, c->TextBox->Top,
                       c->TextBox->Right, c->TextBox->Bottom});
  for (const TInfoBox* n : doc.InfoBoxes.Items) g.insert(g.end(), {n->Left, n->Top, n->Right, n->Bottom});
  return g;
}

// ---- the canvas ------------------------------------------------------------------------

TEST(PainterCanvas, MeasuresTextsExactlyAsTheScreenDoes) {
  QtCanvas screen(50, 50);
  PainterCanvas measuring, scaled(50, 50, 3);
  TFontSpec bold, large, courier, times;
  bold.Bold = true;
  large.SetHeight(19);
  large.Italic = true;
  courier.Name = "Courier New";
  times.Name = "Times New Roman";
  times.Underline = true;
  for (const TFontSpec& font : {TFontSpec(), bold, large, courier, times}) {
    for (Canvas* c : std::initializer_list<Canvas*>{&screen, &measuring, &scaled}) c->SetFont(font);
    for (const std::string& text :
         std::vector<std::string>{"TKonto", "+ !  einzahlen (betrag: Integer)", "Wg", W("Übersicht")}) {
      EXPECT_EQ(screen.TextWidth(text), measuring.TextWidth(text)) << font.Name << " " << text;
      EXPECT_EQ(screen.TextWidth(text), scaled.TextWidth(text)) << font.Name << " " << text;
      // Writing advances the pen by the measured width, at every scale.
      scaled.TextOut(3, 5, text);
      EXPECT_EQ(3 + screen.TextWidth(text), scaled.PenPos().X);
    }
    EXPECT_EQ(screen.TextHeight("Hg"), scaled.TextHeight("Hg")) << font.Name;
  }
}

TEST(PainterCanvas, LinesCoverTheScaledPixelsOfTheScreensLines) {
  PainterCanvas c(100, 80, 2);
  c.MoveTo(10, 10);
  c.LineTo(40, 10);  // the end pixel (40, 10) stays white, as on the screen
  c.MoveTo(50, 10);
  c.LineTo(50, 30);
  c.SetPenWidth(2);  // two pixels across, reaching one pixel beyond the start
  c.MoveTo(10, 40);
  c.LineTo(40, 40);
  c.SetPenWidth(1);
  c.SetPenStyle(PenStyle::Dash);
  c.MoveTo(0, 60);
  c.LineTo(60, 60);
  const QImage& img = c.Image();
  ASSERT_EQ(QSize(200, 160), img.size());
  for (int y : {20, 21}) {
    EXPECT_EQ(kWhite, img.pixel(19, y));
    EXPECT_EQ(kBlack, img.pixel(20, y));
    EXPECT_EQ(kBlack, img.pixel(79, y));
    EXPECT_EQ(kWhite, img.pixel(80, y));
  }
  EXPECT_EQ(kWhite, img.pixel(20, 22));
  EXPECT_EQ(kBlack, img.pixel(101, 20));
  EXPECT_EQ(kBlack, img.pixel(100, 59));
  EXPECT_EQ(kWhite, img.pixel(100, 60));
  EXPECT_EQ(kWhite, img.pixel(102, 40));
  for (int y : {78, 79, 80, 81}) {
    EXPECT_EQ(kWhite, img.pixel(17, y));
    EXPECT_EQ(kBlack, img.pixel(18, y));
    EXPECT_EQ(kBlack, img.pixel(81, y));
    EXPECT_EQ(kWhite, img.pixel(82, y));
  }
  EXPECT_EQ(kWhite, img.pixel(40, 77));
  EXPECT_EQ(kWhite, img.pixel(40, 82));
  // Long dashes: 18 pixels on and 6 off, twice as long at twice the size.
  EXPECT_EQ((std::vector<std::pair<bool, int>>{{true, 36}, {false, 12}, {true, 36}, {false, 12}, {true, 24}}),
            Runs(img, 121, 0, 120));
}

template <class AnyCanvas>
void ExpectNotXorTwiceRestores(AnyCanvas& c, double scale) {
  c.SetBrushColor(RGB(0, 200, 0));
  c.Rectangle(5, 5, 60, 40);
  c.TextOut(10, 50, "Text");
  const QImage before = c.Image().copy();
  c.SetPenMode(PenMode::NotXor);
  c.SetPenColor(kClRed);
  c.SetBrushStyle(BrushStyle::Clear);
  for (int pass = 0; pass < 2; ++pass) {
    c.SetPenStyle(PenStyle::Dash);
    c.MoveTo(0, 20);
    c.LineTo(110, 20);
    c.LineTo(100, 70);
    c.SetPenStyle(PenStyle::Solid);
    c.SetPenWidth(2);
    c.Rectangle(20, 10, 90, 60);
    c.SetPenWidth(1);
    c.Ellipse(30, 30, 36, 36);
    if (pass == 0) {
      EXPECT_NE(before, c.Image());
      // On white, not-xor shows the pen colour.
      EXPECT_EQ(qRgb(255, 0, 0), c.Image().pixel(static_cast<int>(100.25 * scale), static_cast<int>(20.25 * scale)));
    }
  }
  EXPECT_EQ(before, c.Image());
}

TEST(Canvases, NotXorTwiceRestoresThePictureAtEveryScale) {
  QtCanvas screen(120, 80);
  ExpectNotXorTwiceRestores(screen, 1);
  for (double scale : {2.0, 1.5}) {
    SCOPED_TRACE(scale);
    PainterCanvas c(120, 80, scale);
    ExpectNotXorTwiceRestores(c, scale);
  }
}

// Smoothly scaled letters are as wide in all as the screen's: nothing reaches into the
// next box or over a frame, and lines end where they end on the screen.
TEST(PainterCanvas, TextsStayWithinTheWidthMeasuredForThem) {
  constexpr int kScale = 4;
  TFontSpec bold, large, times;
  bold.Bold = true;
  large.SetHeight(17);
  times.Name = "Times New Roman";
  for (const TFontSpec& font : {TFontSpec(), bold, large, times}) {
    PainterCanvas c(600, 40, kScale);
    c.SetFont(font);
    const std::string text = "+ !  SetzeKilometer (pKilometer: Integer); WWW mmm";
    c.SetBrushStyle(BrushStyle::Clear);
    c.TextOut(10, 10, text);
    const int right = (10 + c.TextWidth(text)) * kScale;
    const QImage& img = c.Image();
    int inkRight = -1;
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x)
        if (Dark(img.pixel(x, y))) inkRight = std::max(inkRight, x);
    EXPECT_GT(inkRight, right - 2 * kScale) << font.Name << " " << font.Bold;
    EXPECT_LE(inkRight, right + kScale) << font.Name << " " << font.Bold;
  }
}

// Damaged coordinates draw only what lies in the picture (a canvas that walked the whole
// line would not end within the test's time limit).
template <class AnyCanvas>
void ExpectFarCoordinatesClipped(AnyCanvas& c, int scale) {
  auto at = [&c, scale](int x, int y) { return c.Image().pixel(x * scale + scale / 2, y * scale); };
  // Unscaled, the screen's canvas draws plain black.
  auto ink = [scale](QRgb p) { return scale == 1 ? p == kBlack : Dark(p); };
  constexpr int kFar = 2000000000;
  c.MoveTo(-kFar, -kFar);
  c.LineTo(kFar, kFar);
  EXPECT_TRUE(ink(at(100, 100)));  // the diagonal through the picture
  EXPECT_TRUE(ink(at(199, 199)));
  c.SetPenStyle(PenStyle::Dash);
  c.LineTo(-kFar, 7);
  c.SetPenStyle(PenStyle::Solid);
  c.Rectangle(-kFar, -5, kFar, kFar);
  c.Ellipse(-kFar, -5, kFar, kFar);
  c.TextOut(kFar, 5, "weit");
  EXPECT_EQ(kWhite, at(100, 100));  // inside the far rectangle, filled white
  c.SetPenWidth(2);
  c.LineTo(-kFar, 7);
  EXPECT_TRUE(ink(at(100, 6)));  // the wide line back across the picture
}

TEST(Canvases, FarCoordinatesDrawOnlyWhatLiesInThePicture) {
  QtCanvas screen(200, 200);
  ExpectFarCoordinatesClipped(screen, 1);
  PainterCanvas scaled(200, 200, 2);
  ExpectFarCoordinatesClipped(scaled, 2);
  // A picture larger than memory allows is left out, not attempted.
  PainterCanvas huge(20000, 20000, 4);
  EXPECT_TRUE(huge.Image().isNull());
  huge.Rectangle(0, 0, 10, 10);
  huge.TextOut(0, 0, "nichts");
}

// ---- pictures of a diagram -------------------------------------------------------------

class DiagramPictures : public ::testing::Test {
 protected:
  NotationScope notation{1};
  std::unique_ptr<DiagramDocument> doc = SampleDiagram();
};

TEST_F(DiagramPictures, LayoutIsTheScreensAtEveryScaleAndInEveryFormat) {
  QtCanvas screen(505, 385);
  doc->Surface.canvas = &screen;
  Redraw(*doc, CurrentBoxMark::Hidden);
  doc->Surface.canvas = nullptr;
  doc->Saved = true;
  const std::vector<int> onScreen = Geometry(*doc);
  const QImage screenPicture = screen.Image().copy(0, 0, doc->Surface.Width, doc->Surface.Height);

  // Scale 1 is the screen's picture, pixel for pixel.
  std::string error;
  EXPECT_EQ(screenPicture, DiagramImage(*doc, 1, &error));
  for (int scale : {2, 4}) {
    const QImage picture = DiagramImage(*doc, scale, &error);
    EXPECT_EQ(QSize(doc->Surface.Width * scale, doc->Surface.Height * scale), picture.size());
    EXPECT_EQ(onScreen, Geometry(*doc)) << scale;
    // Box frames on the scaled places of the screen's.
    for (const TUMLDrawClass* b : doc->DrawClasses.Items) {
      const int mid = b->Top + 2;  // between the frame and the name
      ASSERT_EQ(kBlack, screenPicture.pixel(b->Left, mid));
      EXPECT_EQ(kBlack, picture.pixel(b->Left * scale, mid * scale)) << scale;
      EXPECT_EQ(kBlack, picture.pixel(b->Left * scale + scale - 1, mid * scale)) << scale;
      EXPECT_EQ(kWhite, picture.pixel(b->Left * scale - 1, mid * scale)) << scale;
      EXPECT_EQ(kWhite, picture.pixel(b->Left * scale + scale, mid * scale)) << scale;
      EXPECT_EQ(kBlack, picture.pixel((b->Right - 1) * scale, mid * scale)) << scale;
      EXPECT_EQ(kWhite, picture.pixel(b->Right * scale, mid * scale)) << scale;
    }
  }
  std::string bytes;
  for (PictureType type : {PictureType::Svg, PictureType::Pdf}) {
    ASSERT_TRUE(DiagramDocumentBytes(*doc, type, 1, "Bank.urd", bytes, &error)) << error;
    EXPECT_EQ(onScreen, Geometry(*doc));
  }
  EXPECT_TRUE(doc->Saved) << "a picture is no change of the diagram";
}

TEST_F(DiagramPictures, TheSurfaceGrowsForPicturesAsOnTheScreen) {
  // Nothing was drawn yet: the picture's size comes out of the drawing.
  ASSERT_EQ(505, doc->Surface.Width);
  doc->DrawClasses.At(1)->Left = 700;
  std::string error;
  const QImage picture = DiagramImage(*doc, 2, &error);
  EXPECT_GT(doc->Surface.Width, 750);
  EXPECT_EQ(doc->Surface.Width * 2, picture.width());
  // A picture larger than the memory allows is refused with a reason.
  doc->DrawClasses.At(1)->Left = 9000;
  doc->DrawClasses.At(1)->Top = 9000;
  EXPECT_TRUE(DiagramImage(*doc, 16, &error).isNull());
  EXPECT_NE(std::string::npos, error.find("Pixel")) << error;
}

// The texts of an SVG element, each as one string.
std::vector<std::string> SvgTexts(const std::string& svg, std::string* problem) {
  std::vector<std::string> texts;
  QXmlStreamReader xml(QByteArray::fromStdString(svg));
  while (!xml.atEnd()) {
    if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"text")
      texts.push_back(xml.readElementText().toStdString());
  }
  if (xml.hasError()) *problem = xml.errorString().toStdString();
  return texts;
}

TEST_F(DiagramPictures, SvgAndPdfHoldEveryTextAsTextAtTheDiagramsSizeAndNoBitmap) {
  std::string svg, pdf, error, problem;
  ASSERT_TRUE(DiagramDocumentBytes(*doc, PictureType::Svg, 2, "Bank.urd", svg, &error)) << error;
  const std::vector<std::string> texts = SvgTexts(svg, &problem);
  EXPECT_EQ("", problem);
  for (const char* expected : {"TKonto", "TKunde", "TGirokonto", "k1 : TKonto", "- stand: Integer",
                               "+ !  einzahlen (betrag: Integer)", "+ konten: TKonto", "1..*",
                               "0..1", "Konten des Kunden", "einzahlen", "GibStand ?",
                               "Übersicht der Bank"})
    EXPECT_NE(texts.end(), std::find(texts.begin(), texts.end(), expected)) << expected;
  // Twice as large as the diagram, in diagram pixels inside.
  const std::string w = std::to_string(doc->Surface.Width), h = std::to_string(doc->Surface.Height);
  EXPECT_NE(std::string::npos, svg.find("viewBox=\"0 0 " + w + " " + h + "\""));
  EXPECT_EQ(std::string::npos, svg.find("<image")) << "no bitmaps";

  ASSERT_TRUE(DiagramDocumentBytes(*doc, PictureType::Pdf, 1, "Bank.urd", pdf, &error)) << error;
  ASSERT_EQ("%PDF", pdf.substr(0, 4));
  QTemporaryDir dir;
  const std::string path = dir.filePath("bank.pdf").toStdString();
  std::ofstream(path, std::ios::binary) << pdf;
  const testsupport::PdfFacts facts = testsupport::ReadPdf(path);
  for (const char* expected : {"TKonto", "TKunde", "TGirokonto", "k1 : TKonto", "stand: Integer",
                               "Konten des Kunden", "GibStand ?", "Übersicht der Bank"})
    EXPECT_NE(std::string::npos, facts.text.find(expected)) << expected << " in\n" << facts.text;
  // The page has the diagram's size at 96 pixels per inch (in points, rounded up).
  const std::string size = std::to_string((doc->Surface.Width * 3 + 3) / 4) + " x " +
                           std::to_string((doc->Surface.Height * 3 + 3) / 4) + " pts";
  EXPECT_NE(std::string::npos, facts.info.find(size)) << facts.info;
  EXPECT_NE(std::string::npos, facts.info.find("Bank.urd")) << "the title";
  EXPECT_EQ(0, facts.bitmaps);
}

}  // namespace
}  // namespace zedro
