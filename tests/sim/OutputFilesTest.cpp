#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <thread>

#include "SimTestSupport.h"

namespace {

using simtest::readFile;
using simtest::runSim;
using simtest::SimProcess;
using simtest::TempDir;

// The same inputs give the same bytes: the summary, the log, the plot and a sweep,
// whatever the number of workers.
TEST(SameInputs, GiveByteIdenticalOutputs) {
  const TempDir dir;
  const std::vector<std::string> run = {"--duration", "400", "--wind", "9", "--skip", "3"};
  auto withFiles = [&](const std::string& tag) {
    auto args = run;
    args.insert(args.end(), {"--csv", dir.file(tag + ".csv"), "--svg", dir.file(tag + ".svg")});
    return args;
  };
  ASSERT_EQ(runSim(withFiles("first")).status, 0);
  ASSERT_EQ(runSim(withFiles("second")).status, 0);
  EXPECT_EQ(readFile(dir.file("first.csv")), readFile(dir.file("second.csv")));
  EXPECT_EQ(readFile(dir.file("first.svg")), readFile(dir.file("second.svg")));
  EXPECT_FALSE(readFile(dir.file("first.svg")).empty());

  const auto summary = runSim(run);
  ASSERT_EQ(summary.status, 0);
  EXPECT_EQ(summary.out, runSim(run).out);

  const std::vector<std::string> sweep = {"--duration", "400", "--sweep-wind", "6:12:3", "--runs", "3"};
  auto withJobs = [&](const char* jobs) {
    auto args = sweep;
    args.insert(args.end(), {"--jobs", jobs});
    return runSim(args);
  };
  const auto oneWorker = withJobs("1");
  ASSERT_EQ(oneWorker.status, 0) << oneWorker.err;
  EXPECT_EQ(oneWorker.out, withJobs("1").out);
  EXPECT_EQ(oneWorker.out, withJobs("2").out);
  EXPECT_EQ(oneWorker.out, withJobs("5").out);
}

// A run that cannot write one of its files fails with status 1 and a message that
// names the file, leaves no file of its own behind, and leaves an older file of the
// requested name as it was.
struct FailingCase {
  const char* name;
  std::vector<std::string> outputs;  // "{dir}" stands for the test's folder
  const char* named;                 // the file the message must name
};

void PrintTo(const FailingCase& c, std::ostream* os) { *os << c.name; }

class FailingRun : public ::testing::TestWithParam<FailingCase> {};

TEST_P(FailingRun, LeavesNothingBehind) {
  const TempDir dir;
  mkdir(dir.file("folder").c_str(), 0755);
  const std::string older = "older contents\n";
  { std::ofstream(dir.file("old.csv")) << older; }
  std::filesystem::create_symlink(dir.file("old.csv"), dir.file("link.csv"));
  const auto before = dir.entries();

  std::vector<std::string> args = {"--duration", "60"};
  for (std::string a : GetParam().outputs) {
    if (const auto at = a.find("{dir}"); at != std::string::npos) a.replace(at, 5, dir.path());
    args.push_back(a);
  }
  const auto result = runSim(args);

  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, "");
  EXPECT_NE(result.err.find(std::string("cannot write '") + dir.path() + "/" + GetParam().named + "'"),
            std::string::npos)
      << result.err;
  EXPECT_EQ(dir.entries(), before);
  EXPECT_TRUE(std::filesystem::is_empty(dir.file("folder")));
  EXPECT_EQ(readFile(dir.file("old.csv")), older);
  EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link.csv")));
}

INSTANTIATE_TEST_SUITE_P(
    Table, FailingRun,
    ::testing::Values(FailingCase{"folder missing", {"--csv", "{dir}/missing/log.csv"}, "missing/log.csv"},
                      FailingCase{"name of a folder", {"--svg", "{dir}/folder"}, "folder"},
                      FailingCase{"name ending in a slash", {"--csv", "{dir}/folder/"}, "folder/"},
                      // Renaming over a link or a device would put a plain file in its place.
                      FailingCase{"symbolic link", {"--csv", "{dir}/link.csv"}, "link.csv"},
                      // The log could be written; the plot cannot, so neither is.
                      FailingCase{"second file fails",
                                  {"--csv", "{dir}/old.csv", "--svg", "{dir}/missing/plot.svg"},
                                  "missing/plot.svg"},
                      FailingCase{"first file fails",
                                  {"--csv", "{dir}/missing/log.csv", "--svg", "{dir}/folder/plot.svg"},
                                  "missing/log.csv"}));

// Standard output that cannot take the text (a full disk) is a failure, not a success.
TEST(FullStandardOutput, FailsWithStatusOne) {
  for (const std::vector<std::string>& args : {std::vector<std::string>{"--duration", "10"},
                                               {"--duration", "10", "--sweep-wind", "5:6:1"},
                                               {"--help"}}) {
    const auto result = runSim(args, "/dev/full");
    EXPECT_EQ(result.status, 1) << simtest::joined(args);
    EXPECT_EQ(result.err, "korvalen-sim: cannot write to standard output\n") << simtest::joined(args);
  }
}

// An interrupted run ends with 128 + the signal and takes its temporary files with it:
// the requested names keep what they held before.
struct InterruptCase {
  int signal;
  int status;
};

void PrintTo(const InterruptCase& c, std::ostream* os) { *os << "signal " << c.signal; }

class Interrupted : public ::testing::TestWithParam<InterruptCase> {};

TEST_P(Interrupted, LeavesNothingHalfWritten) {
  const TempDir dir;
  const std::string older = "older contents\n";
  { std::ofstream(dir.file("log.csv")) << older; }

  // Long enough to be still running when the signal comes.
  SimProcess process({"--duration", "1000000", "--csv", dir.file("log.csv"), "--svg", dir.file("plot.svg")});
  // Wait until the run has started to write: the temporary files are there.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (dir.entries().size() < 3 && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  ASSERT_EQ(dir.entries().size(), 3u) << "the run did not start its files";
  std::this_thread::sleep_for(std::chrono::milliseconds(200));

  kill(process.pid(), GetParam().signal);
  EXPECT_EQ(process.wait(), GetParam().status);
  EXPECT_EQ(dir.entries(), std::vector<std::string>{"log.csv"});
  EXPECT_EQ(readFile(dir.file("log.csv")), older);
}

INSTANTIATE_TEST_SUITE_P(Table, Interrupted,
                         ::testing::Values(InterruptCase{SIGINT, 130}, InterruptCase{SIGTERM, 143},
                                           InterruptCase{SIGHUP, 129}));

// The processes started by `pid`, as the kernel lists them.
std::vector<pid_t> childrenOf(pid_t pid) {
  std::istringstream list(
      readFile("/proc/" + std::to_string(pid) + "/task/" + std::to_string(pid) + "/children"));
  std::vector<pid_t> children;
  for (pid_t child; list >> child;) children.push_back(child);
  return children;
}

// Gone, or ended and waiting to be reaped.
bool ended(pid_t pid) {
  const std::string stat = readFile("/proc/" + std::to_string(pid) + "/stat");
  const auto state = stat.rfind(')');
  return stat.empty() || state == std::string::npos || stat.compare(state, 3, ") Z") == 0;
}

// A sweep interrupted stops its workers too: none of them outlives it.
TEST(Interrupted, SweepStopsItsWorkers) {
  SimProcess process({"--duration", "100000", "--sweep-wind", "5:15:1", "--runs", "4", "--jobs", "2"});
  std::vector<pid_t> workers;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (workers.empty() && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    workers = childrenOf(process.pid());
  }
  ASSERT_FALSE(workers.empty()) << "no workers seen";

  kill(process.pid(), SIGTERM);
  EXPECT_EQ(process.wait(), 143);
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  for (const pid_t worker : workers) EXPECT_TRUE(ended(worker)) << "worker " << worker << " still runs";
}

}  // namespace
