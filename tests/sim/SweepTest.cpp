#include <gtest/gtest.h>

#include "sim/SingleRun.h"
#include "sim/WindSweep.h"

namespace {

// Each run of a sweep gives exactly what the same run gives alone, although the runs
// go to worker processes that share nothing but their start.
TEST(Sweep, EachRunEqualsTheSameRunAlone) {
  sim::RunSettings base;
  base.ticks = 4000;
  base.skip = 5;
  base.repaintsPerTick = 4;
  sim::WindSweep sweep;
  sweep.winds = {7, 11};
  sweep.runs = 3;
  sweep.jobs = 2;

  const auto results = sim::runSweep(base, sweep, false);
  ASSERT_EQ(results.size(), 6u);
  for (std::size_t i = 0; i < results.size(); ++i) {
    const auto& r = results[i];
    EXPECT_EQ(r.wind, sweep.winds[i % 2]);
    EXPECT_EQ(r.run, int(i / 2));
    // Run r starts right after the values that run r - 1 draws: 4000 ticks x 5 values.
    EXPECT_EQ(r.skip, 5 + r.run * 20000);

    sim::RunSettings alone = base;
    alone.wind = r.wind;
    alone.skip = r.skip;
    const sim::RunSummary expected = sim::runSingle(alone, {}, false);
    for (const auto& [got, want] :
         {std::pair{r.score20, expected.score20}, std::pair{r.score15, expected.score15}}) {
      EXPECT_EQ(got.entryTick(), want.entryTick()) << "result " << i;
      EXPECT_EQ(got.windowTicks(), want.windowTicks()) << "result " << i;
      EXPECT_EQ(got.mean(), want.mean()) << "result " << i;
    }
    EXPECT_EQ(r.firstNonFiniteTick, expected.firstNonFiniteTick);
  }
  // Different starting points give different gusts, and so different scores.
  EXPECT_NE(results[0].score20.mean(), results[2].score20.mean());
  EXPECT_NE(results[2].score20.mean(), results[4].score20.mean());
}

// A score made to order: within 20 m at tick 1, then `distance` for `windowTicks`.
sim::StationKeepingScore madeScore(double distance, std::int64_t windowTicks) {
  sim::StationKeepingScore s(sim::kScoreRadiusWide);
  s.add(1, 0);
  for (std::int64_t n = 2; n < 2 + windowTicks; ++n) s.add(n, distance);
  return s;
}

// The table's mean covers the scored runs only; its worst never hides a run that
// was not scored.
TEST(Sweep, TableShowsScoredRunsAndTheWorst) {
  sim::RunSettings base;
  sim::WindSweep sweep;
  sweep.winds = {4, 8, 12};
  sweep.runs = 3;
  const auto complete = [](double d) { return madeScore(d, sim::kScoreWindowTicks); };
  const sim::StationKeepingScore notReached(sim::kScoreRadiusWide);
  const sim::StationKeepingScore incomplete = madeScore(1, 10);
  // Per wind speed, the three runs' 20 m scores (the 15 m ones are the same).
  const std::vector<std::vector<sim::StationKeepingScore>> byWind = {
      {complete(4), complete(6), complete(11)},  // all scored
      {complete(5), notReached, incomplete},     // one of each
      {incomplete, complete(3), complete(9)},    // one incomplete
  };
  std::vector<sim::SweepRunResult> results(9);
  for (int run = 0; run < 3; ++run)
    for (int w = 0; w < 3; ++w) {
      auto& r = results[std::size_t(run * 3 + w)];
      r.wind = sweep.winds[std::size_t(w)];
      r.run = run;
      r.score20 = r.score15 = byWind[std::size_t(w)][std::size_t(run)];
      r.firstNonFiniteTick = (w == 2 && run == 1) ? 77 : 0;
    }

  const std::string table = sim::sweepTable(base, sweep, results);
  std::istringstream lines(table);
  std::vector<std::string> rows;
  for (std::string line; std::getline(lines, line);) rows.push_back(line);
  ASSERT_EQ(rows.size(), 6u) << table;
  EXPECT_NE(rows[1].find("skip 0 + r x 396000"), std::string::npos) << rows[1];
  // wind, then scored / mean / worst for 20 m and for 15 m, then the finite runs.
  auto words = [](const std::string& row) {
    std::istringstream in(row);
    std::vector<std::string> w;
    for (std::string s; in >> s;) w.push_back(s);
    return w;
  };
  EXPECT_EQ(words(rows[3]), (std::vector<std::string>{"4", "3/3", "7.00", "m", "11.00", "m", "3/3", "7.00",
                                                      "m", "11.00", "m", "3/3"}));
  EXPECT_EQ(words(rows[4]), (std::vector<std::string>{"8", "1/3", "5.00", "m", "not", "reached", "1/3",
                                                      "5.00", "m", "not", "reached", "3/3"}));
  EXPECT_EQ(words(rows[5]), (std::vector<std::string>{"12", "2/3", "6.00", "m", "incomplete", "2/3", "6.00",
                                                      "m", "incomplete", "2/3"}));
}

}  // namespace
