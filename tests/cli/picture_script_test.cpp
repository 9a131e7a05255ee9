// tavo-cli render and info --ellipsoids end to end: the picture files read back by independent
// readers (the PNG header, an XML parser, pdftoppm and pdftotext), the ellipsoid listing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "support/cli_run.h"

#ifdef TAVO_WITH_PICTURES
#include <QString>
#include <QXmlStreamReader>
#endif

namespace tavo::testing {
namespace {

#ifdef TAVO_WITH_PICTURES

// Width and height from the PNG's IHDR chunk (big-endian at bytes 16 and 20).
std::pair<int, int> pngSize(const std::string& bytes) {
  const auto word = [&bytes](size_t at) {
    int value = 0;
    for (size_t k = 0; k < 4; ++k)
      value = value << 8 | static_cast<unsigned char>(bytes.at(at + k));
    return value;
  };
  return {word(16), word(20)};
}

bool havePoppler() {
  return std::system("pdftoppm -v >/dev/null 2>&1") == 0 &&
         std::system("pdftotext -v >/dev/null 2>&1") == 0;
}

TEST(RenderCommand, PngSvgAndPdfOfTheEllipsoidStyleReadBack) {
  TempFolder folder;
  copyExample(folder);
  for (const char* file : {"p.png", "p.svg", "p.pdf"}) {
    const Outcome o = runCli(folder, std::string("render paraben.res -o ") + file +
                                         " --width 600 --height 400 --style ellipsoids "
                                         "--probability 30 --octants --dpi 300");
    ASSERT_EQ(o.status, 0) << file << o.err;
  }
  const std::string png = folder.read("p.png");
  ASSERT_EQ(png.substr(0, 4), "\x89PNG");
  EXPECT_EQ(pngSize(png), std::make_pair(600, 400));
  // pHYs: 300 dots per inch are 11811 per metre.
  EXPECT_NE(png.find("pHYs"), std::string::npos);

  // The SVG: an XML document 600 x 400 units wide whose labels are text elements.
  QXmlStreamReader svg(QString::fromStdString(folder.read("p.svg")));
  int texts = 0, paths = 0;
  bool labelC1 = false;
  QString viewBox;
  while (!svg.atEnd()) {
    if (svg.readNext() != QXmlStreamReader::StartElement) continue;
    if (svg.name() == QStringLiteral("svg"))
      viewBox = svg.attributes().value(QStringLiteral("viewBox")).toString();
    if (svg.name() == QStringLiteral("path") || svg.name() == QStringLiteral("polygon")) ++paths;
    if (svg.name() == QStringLiteral("text")) {
      ++texts;
      labelC1 = labelC1 || svg.readElementText(QXmlStreamReader::IncludeChildElements).trimmed() ==
                               QStringLiteral("C1");
    }
  }
  EXPECT_FALSE(svg.hasError()) << svg.errorString().toStdString();
  EXPECT_EQ(viewBox, QStringLiteral("0 0 600 400"));
  EXPECT_TRUE(labelC1);
  EXPECT_GT(texts, 10);
  EXPECT_GT(paths, 20);  // outlines, principal ellipses, octants, bonds

  if (!havePoppler()) GTEST_SKIP() << "poppler-utils (pdftoppm, pdftotext) not installed";
  // At 96 dots per inch the page is as large as the PNG; its labels are text.
  const std::string convert = "cd '" + folder.path().string() +
                              "' && pdftoppm -r 96 -png -singlefile p.pdf page && "
                              "pdftotext p.pdf p.txt";
  ASSERT_EQ(std::system(convert.c_str()), 0);
  EXPECT_EQ(pngSize(folder.read("page.png")), std::make_pair(600, 400));
  const std::string words = folder.read("p.txt");
  EXPECT_NE(words.find("C1"), std::string::npos) << words;
  EXPECT_NE(words.find("O3"), std::string::npos) << words;
}

TEST(RenderCommand, RefusesUnknownSuffixesStylesAndProbabilities) {
  TempFolder folder;
  copyExample(folder);
  const char* bad[] = {"-o p.bmp", "-o p.png --style sticks", "-o p.png --probability 100",
                       "-o p.png --probability 0"};
  for (const char* arguments : bad) {
    const Outcome o = runCli(folder, std::string("render paraben.res ") + arguments);
    EXPECT_EQ(o.status, 2) << arguments << o.err;
  }
}

TEST(RunScript, RendersThePictureInEveryFormat) {
  TempFolder folder;
  copyExample(folder);
  const Outcome o = runScript(folder,
                              "open paraben.res\n"
                              "\"Thermal Ellipsoids\"\n"
                              "render s.png\n"
                              "render s.svg\n"
                              "render s.pdf\n");
  ASSERT_EQ(o.status, 0) << o.err << o.out;
  EXPECT_EQ(folder.read("s.png").substr(0, 4), "\x89PNG");
  EXPECT_NE(folder.read("s.svg").find("<svg"), std::string::npos);
  EXPECT_EQ(folder.read("s.pdf").substr(0, 5), "%PDF-");
}

#endif  // TAVO_WITH_PICTURES

TEST(InfoCommand, EllipsoidsAtAProbabilityWithNonPositiveDefiniteUReported) {
  TempFolder folder;
  folder.write("npd.ins", R"(TITL npd
CELL 0.71073 10.0 10.0 10.0 90 90 90
ZERR 4 0.001 0.001 0.001 0 0 0
LATT 1
SFAC C O
UNIT 4 2
FVAR 1.0
C1    1    0.100000    0.200000    0.300000    11.00000    0.04000    0.01000 =
    0.09000    0.00000    0.00000    0.00000
O1    2    0.243000    0.200000    0.300000    11.00000   -0.01000    0.02000 =
    0.02000    0.00000    0.00000    0.00000
C2    1    0.300000    0.200000    0.300000    11.00000    0.05000
HKLF 4
END
)");
  const Outcome o = runCli(folder, "info npd.ins --json --ellipsoids 50");
  ASSERT_EQ(o.status, 0) << o.err;
  // C1: radii 1.5382·√U ascending, along y, x, z; O1 flagged; C2 (isotropic) not listed.
  EXPECT_NE(o.out.find(R"("ellipsoids":[{"label":"C1","center":[1.0)"), std::string::npos) << o.out;
  EXPECT_NE(o.out.find(R"("axes":[[0,1,0],[1,0,0],[0,0,1]],"radii":[0.15381)"), std::string::npos)
      << o.out;
  EXPECT_NE(o.out.find(R"({"label":"O1","center":[2.4)"), std::string::npos) << o.out;
  EXPECT_NE(o.out.find(R"("radii":null,"eigenvalues":[-0.01,0.02,0.02],"npd":true})"),
            std::string::npos)
      << o.out;
  EXPECT_EQ(o.out.find(R"("label":"C2","center")"), std::string::npos) << o.out;
  EXPECT_EQ(runCli(folder, "info npd.ins --json --ellipsoids 0").status, 2);
}

}  // namespace
}  // namespace tavo::testing
