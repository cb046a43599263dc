// "als Bild Speichern" in every file type and size, and "Bild direkt drucken" as lines and
// texts at the printer's resolution.
#include <QImage>

#include "EditorFixture.h"
#include "editor/PictureOutput.h"
#include "persistence/Files.h"
#include "support/PdfFacts.h"

namespace zedro {
namespace {

using namespace editortest;
using testsupport::ReadPdf;

class Pictures : public EditorTest {
 protected:
  TFChild* OpenExample() {
    TFChild* c = Open(ZEDRO_SOURCE_DIR "/examples/Fahrzeuge.urd");
    if (c) c->Pictures().Picture();  // laid out: the diagram's size is final
    return c;
  }
  static QImage Load(const std::string& path) {
    return QImage(Q(path)).convertToFormat(QImage::Format_RGB32);
  }
};

TEST_F(Pictures, TheNameDecidesTheTypeAndTheChosenFileTypeTheSizeOfAPng) {
  struct Case {
    const char* name;
    int filter;
    PictureType type;
    int scale;
  } cases[] = {
      {"a.bmp", kFilterBmp, PictureType::Bmp, 1},  {"a.png", kFilterBmp, PictureType::Png, 1},
      {"a.PNG", kFilterPng4, PictureType::Png, 4}, {"a.png", kFilterPng2, PictureType::Png, 2},
      {"a.bmp", kFilterPng4, PictureType::Bmp, 1}, {"a.svg", kFilterPng4, PictureType::Svg, 1},
      {"a.Pdf", kFilterBmp, PictureType::Pdf, 1},  {"a.v2", kFilterPdf, PictureType::Pdf, 1},
      {"a.v2", kFilterPng2, PictureType::Png, 2},  {"a.v2", 17, PictureType::Bmp, 1},
  };
  for (const Case& c : cases) {
    const TPictureChoice choice = ChoosePicture(c.name, c.filter);
    EXPECT_EQ(c.type, choice.type) << c.name << " " << c.filter;
    EXPECT_EQ(c.scale, choice.scale) << c.name << " " << c.filter;
  }
  EXPECT_EQ("BMP", PictureExtension(kFilterBmp));
  EXPECT_EQ("png", PictureExtension(kFilterPng4));
  EXPECT_EQ("svg", PictureExtension(kFilterSvg));
}

TEST_F(Pictures, TheSaveDialogOffersEveryTypeAndWritesTheChosenOne) {
  TFChild* c = OpenExample();
  ASSERT_NE(nullptr, c);
  const int w = c->Doc().Surface.Width, h = c->Doc().Surface.Height;
  const QImage screen = c->Pictures().Picture();

  dialogs.saveFiles = {Path("bild"), Path("gross"), Path("doppelt.png"), Path("vektor"),
                       Path("druck.pdf")};
  dialogs.saveFilters = {kFilterBmp, kFilterPng4, kFilterPng2, kFilterSvg, kFilterBmp};
  for (int i = 0; i < 5; ++i) form->SavePictureItemClick();
  ASSERT_EQ(5, dialogs.CountAsked("save"));
  EXPECT_EQ(dialogs.fileRequests.back().filter,
            W("Bitmap-Dateien|*.bmp|PNG-Dateien|*.png|PNG-Dateien, doppelte Größe|*.png|"
              "PNG-Dateien, vierfache Größe|*.png|SVG-Vektorgrafik|*.svg|PDF-Dokument|*.pdf"));
  EXPECT_EQ(dialogs.fileRequests.back().defaultExt, "BMP");
  EXPECT_TRUE(dialogs.messages.shown.empty()) << LastMessage();

  // BMP at the diagram's size is the screen's picture, as it always was.
  EXPECT_EQ(screen, Load(Path("bild.BMP")));
  // A name without extension gets the chosen type's; a PNG is as large as chosen.
  EXPECT_EQ(QSize(4 * w, 4 * h), Load(Path("gross.png")).size());
  EXPECT_EQ(QSize(2 * w, 2 * h), Load(Path("doppelt.png")).size());
  const std::string svg = ReadText(Path("vektor.svg"));
  EXPECT_NE(std::string::npos, svg.find("<svg"));
  EXPECT_NE(std::string::npos, svg.find(">TFahrzeug</text>"));
  // The extension of the name wins over the chosen file type.
  EXPECT_EQ("%PDF", ReadText(Path("druck.pdf")).substr(0, 4));
  EXPECT_NE(std::string::npos, ReadPdf(text::ToUtf8(Path("druck.pdf"))).text.find("TFahrer"));

  // The diagram is shown with its marks again, and its layout stayed.
  EXPECT_EQ(w, c->Doc().Surface.Width);
  EXPECT_EQ(h, c->Doc().Surface.Height);
}

TEST_F(Pictures, AnExistingPictureIsReplacedOnlyWhenTheUserSaysSo) {
  TFChild* c = OpenExample();
  ASSERT_NE(nullptr, c);
  ASSERT_TRUE(WriteFileAtomically(Path("alt.svg"), "alt"));
  dialogs.saveFiles = {Path("alt.svg"), Path("alt.svg")};
  dialogs.messages.answers = {MsgResult::No, MsgResult::Yes};
  form->SavePictureItemClick();
  EXPECT_EQ("alt", ReadText(Path("alt.svg")));
  form->SavePictureItemClick();
  EXPECT_NE(std::string::npos, ReadText(Path("alt.svg")).find("<svg"));
  EXPECT_TRUE(dialogs.messages.Contains("Die Datei '" + Path("alt.svg") +
                                        "' existiert schon !   ...    Soll sie ersetzt werden ?"));
}

TEST_F(Pictures, PrintingDrawsLinesAndTextsAtThePrintersResolution) {
  TFChild* c = OpenExample();
  ASSERT_NE(nullptr, c);
  dialogs.printFile = Path("gedruckt.pdf");
  dialogs.printAnswers = {false, true};
  form->PrintPictureItemClick();  // cancelled: nothing printed
  EXPECT_FALSE(FileExists(Path("gedruckt.pdf")));
  form->PrintPictureItemClick();
  ASSERT_EQ(1u, dialogs.printed.size());
  EXPECT_EQ("Fahrzeuge.urd", dialogs.printed[0].title);
  EXPECT_EQ(c->Doc().Surface.Width, dialogs.printed[0].width);
  EXPECT_EQ(c->Doc().Surface.Height, dialogs.printed[0].height);
  ASSERT_TRUE(FileExists(Path("gedruckt.pdf")));
  // Texts that can be searched, and no bitmap.
  const testsupport::PdfFacts pdf = ReadPdf(text::ToUtf8(Path("gedruckt.pdf")));
  for (const char* name : {"TFahrzeug", "TAuto", "TFahrer", "TRad", "# kilometer: Integer",
                           "Räder des Autos"})
    EXPECT_NE(std::string::npos, pdf.text.find(name)) << name << " in\n" << pdf.text;
  EXPECT_EQ(0, pdf.bitmaps);
  EXPECT_NE(std::string::npos, pdf.info.find("Fahrzeuge.urd"));
}

}  // namespace
}  // namespace zedro
