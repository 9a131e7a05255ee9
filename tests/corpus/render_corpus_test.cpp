// The QPainter canvas: a real structure drawn into an image, and its fast paths against the
// single primitives.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>

// The core headers come before Qt's: ViewFrame has a member named like Qt's "slots" macro.
#include "geometry/bonds.h"
#include "geometry/view_frame.h"
#include "model/element_definitions.h"
#include "model/instruction_reader.h"
#include "model/structure_model.h"
#include "support/fake_dialogs.h"
#include "support/temp_folder.h"
#include "view/graphics_settings.h"
#include "view/renderer.h"
#include "view/view_state.h"

#include <QFile>
#include <QGuiApplication>
#include <QSvgGenerator>

#include "canvas/qpainter_canvas.h"

namespace tavo {
namespace {

using canvas::QPainterCanvas;

class GuiEnvironment final : public ::testing::Environment {
 public:
  void SetUp() override {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "render_corpus_test";
    static char* argv[] = {name, nullptr};
    if (QGuiApplication::instance() == nullptr)
      m_app = std::make_unique<QGuiApplication>(argc, argv);
  }
  void TearDown() override { m_app.reset(); }

 private:
  std::unique_ptr<QGuiApplication> m_app;
};
const ::testing::Environment* const guiEnvironment =
    ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

struct LoadedPicture {
  model::StructureModel structure;
  geometry::ViewFrame frame;
  view::ViewState view;
  view::GraphicsSettings settings;
  view::RenderOptions options;
};

// Opens a corpus file as the program does and fits it into a width x height pane.
bool load(LoadedPicture& p, const std::filesystem::path& file, int width, int height) {
  testing::FakeDialogs dialogs;
  view::loadGraphicsSettings(testing::dataFolder(), "graphics1.inf", p.settings);
  p.structure.allocate();
  const auto definitions = model::ElementDefinitions::load(testing::dataFolder());
  if (!model::loadInstructionFile(p.structure, file, definitions, dialogs, "")) return false;
  geometry::computeCellOutline(p.structure, p.frame);
  p.view.InitGraphics(width, height);
  p.view.DetectMaxMin(p.structure, p.frame, true, true, false);
  geometry::DetectConnection(p.structure, geometry::BondThresholds{}, dialogs);
  return true;
}

TEST(QPainterPicture, AtomsAndBondsOfARealStructureAreDrawn) {
  const std::filesystem::path corpus = testing::corpusFolder();
  if (corpus.empty()) GTEST_SKIP() << "no corpus";
  const std::filesystem::path file = corpus / "shelxl" / "xharpy_L-Ala_iam.res";
  if (!std::filesystem::exists(file)) GTEST_SKIP() << "no " << file;
  LoadedPicture p;
  ASSERT_TRUE(load(p, file, 800, 600));
  ASSERT_GT(p.structure.nonHCount, 3);
  ASSERT_GT(p.structure.bonds.count(1), 2);

  QPainterCanvas canvas(800, 600);
  view::Renderer renderer;
  renderer.DrawMolecule(p.structure, p.frame, p.view, p.options, p.settings, {&canvas});
  const QImage& image = canvas.image();
  const QRgb background = canvas::toQColor(p.settings.backgroundColor).rgb();
  const auto differs = [&](int x, int y) { return image.pixel(x, y) != background; };

  for (int i = 1; i <= p.structure.nonHCount; ++i) {
    const model::Vec3& at = p.structure.view[1][static_cast<size_t>(i)];
    SCOPED_TRACE(p.structure.atoms[i].label);
    EXPECT_TRUE(differs(p.view.toScreenX(at.x), p.view.toScreenY(at.y)));
  }
  // Peaks of an independent-atom refinement sit on the bonds and their hollow dots cover them.
  p.options.showPeaks = false;
  renderer.DrawMolecule(p.structure, p.frame, p.view, p.options, p.settings, {&canvas});
  for (const model::Bond& b : p.structure.bonds.kinds[1]) {
    const model::Vec3 mid = 0.5 * (p.structure.view[1][static_cast<size_t>(b.first)] +
                                   p.structure.view[1][static_cast<size_t>(b.second)]);
    EXPECT_TRUE(differs(p.view.toScreenX(mid.x), p.view.toScreenY(mid.y)))
        << p.structure.atoms[b.first].label << "-" << p.structure.atoms[b.second].label;
  }
  int drawn = 0;
  for (int y = 0; y < image.height(); y += 2) {
    for (int x = 0; x < image.width(); x += 2)
      drawn += differs(x, y) ? 1 : 0;
  }
  EXPECT_GT(drawn, 500) << "the picture is not blank";
  EXPECT_LT(drawn, 800 * 600 / 4 / 2) << "the background covers most of the pane";

  testing::TempFolder folder;
  ASSERT_TRUE(canvas.save(folder.path() / "ala.png"));
  QImage readBack;
  ASSERT_TRUE(readBack.load(QString::fromStdString((folder.path() / "ala.png").string())));
  EXPECT_EQ(readBack.size(), QSize(800, 600));

  const QString svgName = QString::fromStdString((folder.path() / "ala.svg").string());
  {
    QSvgGenerator generator;
    generator.setFileName(svgName);
    generator.setSize(QSize(800, 600));
    QPainterCanvas svg(generator);
    renderer.DrawMolecule(p.structure, p.frame, p.view, p.options, p.settings, {&svg});
  }
  QFile svgFile(svgName);
  ASSERT_TRUE(svgFile.open(QIODevice::ReadOnly));
  const QByteArray svgText = svgFile.readAll();
  EXPECT_TRUE(svgText.contains("<svg"));
  EXPECT_TRUE(svgText.contains("C1")) << "labels are text in the SVG";
  EXPECT_FALSE(svgText.contains("<image")) << "no bitmaps in the vector output";
}

// The image caches must draw exactly what the single primitives draw.
TEST(QPainterCanvasBatches, SpritesMatchTheSinglePrimitives) {
  QPainterCanvas batched(120, 80);
  QPainterCanvas single(120, 80);
  for (QPainterCanvas* c : {&batched, &single}) {
    c->setPen(view::black, 2);
    c->setBrush(view::white);
    c->rectangle(-3, -3, 123, 83);
    c->setFont(0x0000C0, 10);
  }
  const view::Ball balls[] = {
      {20, 20, 6, 0x2020C0, true}, {40, 20, 6, 0x808080, false}, {60, 21, 9, 0x00A000, true}};
  batched.balls(balls, view::white);
  for (const view::Ball& b : balls) {
    single.setPenColor(b.color);
    single.setBrush(b.filled ? b.color : view::white);
    single.ellipse(b.x - b.radius, b.y - b.radius, b.x + b.radius, b.y + b.radius);
  }
  EXPECT_EQ(batched.pen(), single.pen());
  EXPECT_EQ(batched.brush(), single.brush());
  for (QPainterCanvas* c : {&batched, &single})
    c->setBrush(view::white);
  const view::PlacedText labels[] = {{10, 50, "C1"}, {60, 50, "O2A"}};
  batched.texts(labels);
  for (const view::PlacedText& t : labels)
    single.text(t.x, t.y, t.text);
  batched.show();
  single.show();
  // Blending a cached image may differ from painting in place by a rounding step of the
  // antialiasing; a wrong size, place, colour or fill differs by far more.
  int slightlyDifferent = 0;
  for (int y = 0; y < 80; ++y) {
    for (int x = 0; x < 120; ++x) {
      const QColor a = batched.image().pixelColor(x, y);
      const QColor b = single.image().pixelColor(x, y);
      const int difference = std::max({std::abs(a.red() - b.red()), std::abs(a.green() - b.green()),
                                       std::abs(a.blue() - b.blue())});
      EXPECT_LE(difference, 40) << "at " << x << "," << y;
      slightlyDifferent += difference > 0 ? 1 : 0;
    }
  }
  EXPECT_LT(slightlyDifferent, 20);
}

}  // namespace
}  // namespace tavo
