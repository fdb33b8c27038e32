#include "sim/TrackPlot.h"

#include <algorithm>
#include <cmath>

#include "sim/NumberText.h"

namespace sim {

namespace {

// Page layout (px): the plot area sits between the heading and the key.
constexpr double kPlotWidth = 760;
constexpr double kMinPlotHeight = 320;
constexpr double kMaxPlotHeight = 900;
constexpr double kSideMargin = 20;
constexpr double kHeadingHeight = 64;
constexpr double kKeyHeight = 104;

// Space kept around the target in the plot: the 20 m circle and a little more (m).
constexpr double kTargetRoom = 24;
// Half-size of the circuit's square around the target (m).
constexpr double kSquareHalfSize = 12;
// Share of the extent added on every side so that nothing touches the frame.
constexpr double kPadding = 0.04;
// Scale bar: about a fifth of the plot's width.
constexpr double kScaleBarShare = 0.2;
// Shortest stretch of track drawn on its own (px): shorter ones do not show.
constexpr double kMinSegment = 1;
// Half-size of the cross on the target (px).
constexpr double kCrossHalfSize = 5;
// Length of the wind arrow (px).
constexpr double kWindArrowLength = 44;

// Colours of the four legs, by q (1 to 4), told apart also by readers with a
// red-green colour vision deficiency.
constexpr const char* kLegColours[] = {"#0072b2", "#d55e00", "#009e73", "#e69f00"};
constexpr const char* kLegNames[] = {
    "q = 1: down to the east (-45°)",
    "q = 2: down to the west (-135°, or -90° after q = 3)",
    "q = 3: up to the east (30°)",
    "q = 4: up to the west (150°)",
};
constexpr const char* kOtherLegColour = "#777777";

// Coordinates in the drawing, to a tenth of a pixel.
std::string px(double value) { return fixed(value, 1); }

// Text with the characters that XML reserves replaced.
std::string escaped(const std::string& text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

// The largest 1, 2 or 5 times a power of ten that is at most `length`.
double roundScaleLength(double length) {
  const double power = std::pow(10.0, std::floor(std::log10(length)));
  for (const double step : {5.0, 2.0, 1.0})
    if (step * power <= length) return step * power;
  return power;
}

// Maps metres to pixels: x to the right, y (north) up.
struct View {
  double scale;                                     // px per m
  double centreX, centreY;                          // centre of the shown area (m)
  double plotLeft, plotTop, plotWidth, plotHeight;  // px

  double toX(double x) const { return plotLeft + plotWidth / 2 + (x - centreX) * scale; }
  double toY(double y) const { return plotTop + plotHeight / 2 - (y - centreY) * scale; }
};

// The area that holds every finite point of the track and the target's surroundings.
View makeView(const std::vector<TrackPlot::Point>& points, double targetX, double targetY) {
  double minX = targetX - kTargetRoom, maxX = targetX + kTargetRoom;
  double minY = targetY - kTargetRoom, maxY = targetY + kTargetRoom;
  for (const auto& p : points) {
    if (!std::isfinite(p.x) || !std::isfinite(p.y)) continue;
    minX = std::min(minX, double(p.x));
    maxX = std::max(maxX, double(p.x));
    minY = std::min(minY, double(p.y));
    maxY = std::max(maxY, double(p.y));
  }
  const double padX = (maxX - minX) * kPadding, padY = (maxY - minY) * kPadding;
  minX -= padX;
  maxX += padX;
  minY -= padY;
  maxY += padY;

  View view;
  view.plotLeft = kSideMargin;
  view.plotTop = kHeadingHeight;
  view.plotWidth = kPlotWidth;
  view.plotHeight = std::clamp(kPlotWidth * (maxY - minY) / (maxX - minX), kMinPlotHeight, kMaxPlotHeight);
  view.scale = std::min(view.plotWidth / (maxX - minX), view.plotHeight / (maxY - minY));
  view.centreX = (minX + maxX) / 2;
  view.centreY = (minY + maxY) / 2;
  return view;
}

std::string scoreText(const RunSummary& summary) {
  const auto& wide = summary.score20;
  const auto& narrow = summary.score15;
  return "score " + fixed(wide.radius(), 0) + " m: " + describeScore(wide) + "; " +
         fixed(narrow.radius(), 0) + " m: " + describeScore(narrow);
}

std::string runText(const RunSettings& s) {
  return "korvalen-sim: " + shortest(tickTime(s.ticks)) + " s, wind " + shortest(s.wind) + " m/s, target (" +
         shortest(s.targetX) + ", " + shortest(s.targetY) + ")";
}

// The legs as polylines, one per stretch of finite points, each with its q in data-q
// (no class attribute: some renderers mistake it for a drawing command). A point closer than
// kMinSegment to the last one kept adds nothing that shows and is left out, except
// the last point of a stretch, so that legs still meet.
std::string trackElements(const TrackPlot& track, const View& view) {
  std::string out = "<g id=\"track\" fill=\"none\" stroke-width=\"1.6\" stroke-linejoin=\"round\">\n";
  const auto& points = track.points();
  const auto& legs = track.legs();
  for (std::size_t l = 0; l < legs.size(); ++l) {
    const std::size_t end = l + 1 < legs.size() ? legs[l + 1].firstPoint + 1 : points.size();
    const double q = legs[l].q;
    const bool known = q == 1 || q == 2 || q == 3 || q == 4;
    const std::string colour = known ? kLegColours[int(q) - 1] : kOtherLegColour;
    const std::string open = "<polyline data-q=\"" + shortest(q) + "\" stroke=\"" + colour + "\" points=\"";

    std::string coordinates;
    int count = 0;
    double keptX = 0, keptY = 0;  // last point written (px)
    std::string leftOut;          // last point left out since then, if any
    auto keep = [&](const std::string& point) {
      if (count > 0) coordinates += ' ';
      coordinates += point;
      ++count;
    };
    auto close = [&] {
      if (!leftOut.empty()) keep(leftOut);
      if (count >= 2) out += open + coordinates + "\"/>\n";
      coordinates.clear();
      leftOut.clear();
      count = 0;
    };
    for (std::size_t i = legs[l].firstPoint; i < end; ++i) {
      const auto& p = points[i];
      if (!std::isfinite(p.x) || !std::isfinite(p.y)) {
        close();
        continue;
      }
      const double x = view.toX(p.x), y = view.toY(p.y);
      const std::string point = px(x) + "," + px(y);
      if (count > 0 && std::hypot(x - keptX, y - keptY) < kMinSegment) {
        leftOut = point;
        continue;
      }
      keep(point);
      leftOut.clear();
      keptX = x;
      keptY = y;
    }
    close();
  }
  return out + "</g>\n";
}

std::string targetElements(const RunSettings& s, const View& view) {
  const double x = view.toX(s.targetX), y = view.toY(s.targetY);
  const double half = kSquareHalfSize * view.scale;
  std::string out = "<g id=\"target\">\n";
  out += "<circle id=\"target-circle\" cx=\"" + px(x) + "\" cy=\"" + px(y) + "\" r=\"" +
         px(kScoreRadiusWide * view.scale) +
         "\" fill=\"none\" stroke=\"#999999\" stroke-width=\"1\" stroke-dasharray=\"2 3\"/>\n";
  out += "<rect id=\"target-square\" x=\"" + px(x - half) + "\" y=\"" + px(y - half) + "\" width=\"" +
         px(2 * half) + "\" height=\"" + px(2 * half) +
         "\" fill=\"none\" stroke=\"#444444\" stroke-width=\"1\" stroke-dasharray=\"5 3\"/>\n";
  out += "<path id=\"target-point\" d=\"M" + px(x - kCrossHalfSize) + "," + px(y) + "H" +
         px(x + kCrossHalfSize) + "M" + px(x) + "," + px(y - kCrossHalfSize) + "V" + px(y + kCrossHalfSize) +
         "\" stroke=\"#cc0000\" stroke-width=\"2\"/>\n";
  return out + "</g>\n";
}

// The first and last finite points: where the boat started and where it ended.
std::string endElements(const TrackPlot& track, const View& view) {
  std::string out;
  const auto& points = track.points();
  auto marker = [&](const char* id, const TrackPlot::Point& p, const char* fill) {
    out += "<circle id=\"" + std::string(id) + "\" cx=\"" + px(view.toX(p.x)) + "\" cy=\"" +
           px(view.toY(p.y)) + "\" r=\"4\" fill=\"" + fill + "\" stroke=\"#000000\" stroke-width=\"1\"/>\n";
  };
  auto finite = [](const TrackPlot::Point& p) { return std::isfinite(p.x) && std::isfinite(p.y); };
  const auto first = std::find_if(points.begin(), points.end(), finite);
  const auto last = std::find_if(points.rbegin(), points.rend(), finite);
  if (first != points.end()) marker("start", *first, "#ffffff");
  if (last != points.rend()) marker("end", *last, "#000000");
  return out;
}

// The wind blows towards -y: an arrow pointing down, in the plot's top right corner.
std::string windElements(const RunSettings& s, const View& view) {
  const double x = view.plotLeft + view.plotWidth - 40;
  const double top = view.plotTop + 8, tip = top + kWindArrowLength;
  std::string out = "<g id=\"wind\">\n";
  out += "<line x1=\"" + px(x) + "\" y1=\"" + px(top) + "\" x2=\"" + px(x) + "\" y2=\"" + px(tip - 8) +
         "\" stroke=\"#333333\" stroke-width=\"2\"/>\n";
  out += "<path d=\"M" + px(x - 6) + "," + px(tip - 10) + "L" + px(x) + "," + px(tip) + "L" + px(x + 6) +
         "," + px(tip - 10) + "Z\" fill=\"#333333\"/>\n";
  out += "<text x=\"" + px(x) + "\" y=\"" + px(tip + 16) +
         "\" font-size=\"12\" text-anchor=\"middle\">wind " + escaped(shortest(s.wind)) + " m/s</text>\n";
  return out + "</g>\n";
}

std::string scaleBarElements(const View& view, double top) {
  const double metres = roundScaleLength(kScaleBarShare * view.plotWidth / view.scale);
  const std::string label = metres >= 1000 ? shortest(metres / 1000) + " km" : shortest(metres) + " m";
  const double x = view.plotLeft, length = metres * view.scale, y = top + 16;
  std::string out = "<g id=\"scale-bar\" stroke=\"#000000\" stroke-width=\"1.5\">\n";
  out += "<path d=\"M" + px(x) + "," + px(y - 5) + "V" + px(y) + "H" + px(x + length) + "V" + px(y - 5) +
         "\" fill=\"none\"/>\n";
  out += "<text x=\"" + px(x + length + 8) + "\" y=\"" + px(y + 4) + "\" font-size=\"12\" stroke=\"none\">" +
         escaped(label) + "</text>\n";
  return out + "</g>\n";
}

std::string keyElements(double top) {
  // The legs, two to a row.
  std::string out = "<g id=\"legend\" font-size=\"12\">\n";
  for (int i = 0; i < 4; ++i) {
    const double x = kSideMargin + (i % 2) * 380, y = top + 40 + (i / 2) * 18;
    out += "<line x1=\"" + px(x) + "\" y1=\"" + px(y - 4) + "\" x2=\"" + px(x + 24) + "\" y2=\"" + px(y - 4) +
           "\" stroke=\"" + kLegColours[i] + "\" stroke-width=\"3\"/>\n";
    out += "<text x=\"" + px(x + 30) + "\" y=\"" + px(y) + "\">" + escaped(kLegNames[i]) + "</text>\n";
  }
  out += "</g>\n";

  // The marks of the target, the start and the end, in one row below.
  const double y = top + 76, mid = y - 4;
  auto label = [&](double x, const char* text) {
    out += "<text x=\"" + px(x) + "\" y=\"" + px(y) + "\">" + text + "</text>\n";
  };
  out += "<g id=\"marks-key\" font-size=\"12\">\n";
  double x = kSideMargin + 6;
  out += "<path d=\"M" + px(x - 5) + "," + px(mid) + "H" + px(x + 5) + "M" + px(x) + "," + px(mid - 5) + "V" +
         px(mid + 5) + "\" stroke=\"#cc0000\" stroke-width=\"2\"/>\n";
  label(x + 12, "target");
  x += 80;
  out += "<rect x=\"" + px(x - 6) + "\" y=\"" + px(mid - 6) +
         "\" width=\"12\" height=\"12\" fill=\"none\" stroke=\"#444444\" stroke-dasharray=\"3 2\"/>\n";
  label(x + 12, "its 24 × 24 m square");
  x += 170;
  out += "<circle cx=\"" + px(x) + "\" cy=\"" + px(mid) +
         "\" r=\"6\" fill=\"none\" stroke=\"#999999\" stroke-dasharray=\"2 2\"/>\n";
  label(x + 12, "20 m from it");
  x += 130;
  out +=
      "<circle cx=\"" + px(x) + "\" cy=\"" + px(mid) + "\" r=\"4\" fill=\"#ffffff\" stroke=\"#000000\"/>\n";
  label(x + 10, "start");
  x += 70;
  out +=
      "<circle cx=\"" + px(x) + "\" cy=\"" + px(mid) + "\" r=\"4\" fill=\"#000000\" stroke=\"#000000\"/>\n";
  label(x + 10, "end");
  return out + "</g>\n";
}

}  // namespace

TrackPlot::TrackPlot() {
  const Voilier start;
  points_.push_back({start.x, start.y});
  legs_.push_back({0, start.q});
}

std::string TrackPlot::svg(const RunSummary& summary) const {
  const RunSettings& s = summary.settings;
  const View view = makeView(points_, s.targetX, s.targetY);
  const double width = view.plotWidth + 2 * kSideMargin;
  const double keyTop = view.plotTop + view.plotHeight;
  const double height = keyTop + kKeyHeight;
  const std::string heading = runText(s), score = scoreText(summary);

  std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  out += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + px(width) + "\" height=\"" + px(height) +
         "\" viewBox=\"0 0 " + px(width) + " " + px(height) + "\" font-family=\"sans-serif\">\n";
  out += "<title>" + escaped(heading + "; " + score) + "</title>\n";
  out += "<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n";
  out += "<g id=\"heading\">\n";
  out += "<text x=\"" + px(kSideMargin) + "\" y=\"24\" font-size=\"16\" font-weight=\"bold\">" +
         escaped(heading) + "</text>\n";
  out += "<text id=\"score\" x=\"" + px(kSideMargin) + "\" y=\"46\" font-size=\"14\">" + escaped(score) +
         "</text>\n";
  out += "</g>\n";
  out += "<rect id=\"plot-frame\" x=\"" + px(view.plotLeft) + "\" y=\"" + px(view.plotTop) + "\" width=\"" +
         px(view.plotWidth) + "\" height=\"" + px(view.plotHeight) +
         "\" fill=\"#f4f8fb\" stroke=\"#cccccc\" stroke-width=\"1\"/>\n";
  out += targetElements(s, view);
  out += trackElements(*this, view);
  out += endElements(*this, view);
  out += windElements(s, view);
  out += scaleBarElements(view, keyTop);
  out += keyElements(keyTop);
  return out + "</svg>\n";
}

}  // namespace sim
