#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>

#include "SimTestSupport.h"
#include "XmlDocument.h"

namespace {

using simtest::readFile;
using simtest::runSim;
using simtest::TempDir;
using simtest::XmlElement;
using simtest::XmlReader;

const XmlElement* byId(const XmlElement& root, const std::string& id) {
  std::vector<const XmlElement*> found;
  root.collect([&](const XmlElement& e) { return e.attribute("id") == id; }, found);
  return found.size() == 1 ? found[0] : nullptr;
}

std::vector<const XmlElement*> all(const XmlElement& root, const std::string& name) {
  std::vector<const XmlElement*> found;
  root.collect([&](const XmlElement& e) { return e.name == name; }, found);
  return found;
}

// The line of the summary that starts with `label`, without the label.
std::string summaryLine(const std::string& summary, const std::string& label) {
  const auto at = summary.find(label);
  if (at == std::string::npos) return "(no " + label + ")";
  return summary.substr(at + label.size(), summary.find('\n', at) - at - label.size());
}

// The plot is well-formed XML and holds what a reader needs: the score in the title,
// one line per leg in the colour of its q, the target's square at the scale of the
// scale bar, the wind, where the boat started and ended.
TEST(Svg, ParsesAsXmlWithTheExpectedElements) {
  const TempDir dir;
  const std::vector<std::string> run = {"--duration", "600", "--target", "80,120"};
  auto args = run;
  args.insert(args.end(), {"--svg", dir.file("plot.svg")});
  const auto plotRun = runSim(args);
  ASSERT_EQ(plotRun.status, 0) << plotRun.err;
  const auto summaryRun = runSim(run);
  ASSERT_EQ(summaryRun.status, 0);
  const std::string& summary = summaryRun.out;

  std::unique_ptr<XmlElement> root;
  ASSERT_NO_THROW(root = XmlReader::parse(readFile(dir.file("plot.svg"))));
  EXPECT_EQ(root->name, "svg");
  EXPECT_EQ(root->attribute("xmlns"), "http://www.w3.org/2000/svg");

  // The title gives both scores as the summary does.
  const auto titles = all(*root, "title");
  ASSERT_EQ(titles.size(), 1u);
  const std::string score20 = summaryLine(summary, "station-keeping score, 20 m: ");
  const std::string score15 = summaryLine(summary, "station-keeping score, 15 m: ");
  const std::string scores = "score 20 m: " + score20.substr(0, score20.find(" (")) +
                             "; 15 m: " + score15.substr(0, score15.find(" ("));
  EXPECT_NE(titles[0]->text.find(scores), std::string::npos) << titles[0]->text << "\n" << scores;

  // One line per leg: as many as the leg changes plus the first leg; each leg's q
  // differs from the one before, and each q has a colour of its own.
  std::vector<const XmlElement*> legs;
  root->collect([](const XmlElement& e) { return e.name == "polyline" && e.attributes.count("data-q"); },
                legs);
  EXPECT_EQ(double(legs.size()), std::stod(summaryLine(summary, "leg changes: ")) + 1);
  std::map<std::string, std::string> colourOfQ;
  std::set<std::string> colours;
  std::string previousQ;
  for (const XmlElement* leg : legs) {
    const std::string q = leg->attribute("data-q");
    EXPECT_TRUE(q == "1" || q == "2" || q == "3" || q == "4") << q;
    EXPECT_NE(q, previousQ);
    previousQ = q;
    if (colourOfQ.emplace(q, leg->attribute("stroke")).second) colours.insert(leg->attribute("stroke"));
    EXPECT_EQ(leg->attribute("stroke"), colourOfQ[q]);
    EXPECT_NE(leg->attribute("points").find(' '), std::string::npos);  // at least two points
  }
  EXPECT_EQ(colours.size(), colourOfQ.size());
  EXPECT_GE(colourOfQ.size(), 3u);

  // The scale bar "M x,y V y H x2 V y" is `metres` long; at that scale the target's
  // square is 24 m wide, and the target point is at its centre.
  const XmlElement* scaleBar = byId(*root, "scale-bar");
  ASSERT_NE(scaleBar, nullptr);
  const auto barPaths = all(*scaleBar, "path");
  const auto barTexts = all(*scaleBar, "text");
  ASSERT_EQ(barPaths.size(), 1u);
  ASSERT_EQ(barTexts.size(), 1u);
  double x1, y1, y2, x2, y3;
  ASSERT_EQ(std::sscanf(barPaths[0]->attribute("d").c_str(), "M%lf,%lfV%lfH%lfV%lf", &x1, &y1, &y2, &x2, &y3),
            5);
  // "50 m" or, for long runs far from home, "20 km".
  const std::string& barText = barTexts[0]->text;
  const double metres = std::stod(barText) * (barText.ends_with(" km") ? 1000 : 1);
  ASSERT_GT(metres, 0);
  const double pxPerMetre = (x2 - x1) / metres;

  const XmlElement* square = byId(*root, "target-square");
  ASSERT_NE(square, nullptr);
  const double width = std::stod(square->attribute("width")), height = std::stod(square->attribute("height"));
  // Positions are written to a tenth of a pixel.
  const double tolerance = 0.2 / pxPerMetre;
  EXPECT_NEAR(width / pxPerMetre, 24, tolerance);
  EXPECT_NEAR(height / pxPerMetre, 24, tolerance);
  const XmlElement* targetPoint = byId(*root, "target-point");
  ASSERT_NE(targetPoint, nullptr);
  double cx, cy;
  ASSERT_EQ(std::sscanf(targetPoint->attribute("d").c_str(), "M%*f,%lfH%*fM%lf", &cy, &cx), 2);
  EXPECT_NEAR(cx, std::stod(square->attribute("x")) + width / 2, 0.15);
  EXPECT_NEAR(cy, std::stod(square->attribute("y")) + height / 2, 0.15);

  // The boat starts at (0, 1): 80 m west and 119 m south of the target.
  const XmlElement* start = byId(*root, "start");
  ASSERT_NE(start, nullptr);
  EXPECT_NEAR((std::stod(start->attribute("cx")) - cx) / pxPerMetre, -80, 3 * tolerance);
  EXPECT_NEAR((std::stod(start->attribute("cy")) - cy) / pxPerMetre, 119, 3 * tolerance);
  EXPECT_EQ(legs.front()->attribute("points").rfind(start->attribute("cx") + "," + start->attribute("cy"), 0),
            0u);
  EXPECT_NE(byId(*root, "end"), nullptr);

  // The wind, with its speed, and the key of the four legs.
  const XmlElement* wind = byId(*root, "wind");
  ASSERT_NE(wind, nullptr);
  const auto windTexts = all(*wind, "text");
  ASSERT_EQ(windTexts.size(), 1u);
  EXPECT_EQ(windTexts[0]->text, "wind 10 m/s");
  const XmlElement* legend = byId(*root, "legend");
  ASSERT_NE(legend, nullptr);
  EXPECT_EQ(all(*legend, "text").size(), 4u);
}

// The reader used above refuses what is not well-formed, so that its verdict counts.
TEST(Svg, TheXmlReaderRefusesMalformedDocuments) {
  for (const char* bad : {"<svg><g></svg>", "<svg a=\"1\" a=\"2\"/>", "<svg>&nbsp;</svg>", "<svg>a & b</svg>",
                          "<svg x=1/>", "<svg/><svg/>", "<svg>", "text<svg/>", "<svg><a></b></svg>"})
    EXPECT_THROW(XmlReader::parse(bad), std::runtime_error) << bad;
  EXPECT_NO_THROW(
      XmlReader::parse("<?xml version=\"1.0\"?>\n<svg a='1'><!-- c --><g>&lt;&#176;</g></svg>\n"));
}

}  // namespace
