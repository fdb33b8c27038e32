#pragma once

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

extern char** environ;

namespace simtest {

// The korvalen-sim executable under test (set by the build).
inline const char* const kSimPath = KORVALEN_SIM_PATH;

// A fresh folder for one test's files, removed with everything in it at the end.
class TempDir {
 public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "korvalen-sim-test.XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
  }
  ~TempDir() { std::filesystem::remove_all(path_); }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  std::string file(const std::string& name) const { return (path_ / name).string(); }
  std::string path() const { return path_.string(); }

  // Names of everything in the folder, sorted.
  std::vector<std::string> entries() const {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(path_))
      names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  std::filesystem::path path_;
};

inline std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// korvalen-sim started with its output going to files in a folder of its own.
class SimProcess {
 public:
  // Standard output goes to `stdoutPath` when one is given.
  explicit SimProcess(const std::vector<std::string>& args, const std::string& stdoutPath = "") {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    const std::string out = stdoutPath.empty() ? outPath() : stdoutPath;
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errPath().c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    std::vector<char*> argv{const_cast<char*>(kSimPath)};
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    if (posix_spawn(&pid_, kSimPath, &actions, nullptr, argv.data(), environ) != 0)
      throw std::runtime_error("cannot start korvalen-sim");
    posix_spawn_file_actions_destroy(&actions);
  }
  ~SimProcess() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
  }
  SimProcess(const SimProcess&) = delete;
  SimProcess& operator=(const SimProcess&) = delete;

  pid_t pid() const { return pid_; }

  // Waits for the end; the exit status, or 128 + signal for a process killed by one.
  int wait() {
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }
  std::string out() const { return readFile(outPath()); }
  std::string err() const { return readFile(errPath()); }

 private:
  std::string outPath() const { return output_.file("stdout"); }
  std::string errPath() const { return output_.file("stderr"); }

  TempDir output_;
  pid_t pid_ = -1;
};

struct SimResult {
  int status;
  std::string out, err;
};

// Runs korvalen-sim to the end.
inline SimResult runSim(const std::vector<std::string>& args, const std::string& stdoutPath = "") {
  SimProcess process(args, stdoutPath);
  const int status = process.wait();
  return {status, process.out(), process.err()};
}

// Arguments as one line, for the names of test cases.
inline std::string joined(const std::vector<std::string>& args) {
  std::string line;
  for (const auto& a : args) line += (line.empty() ? "" : " ") + a;
  return line.empty() ? "(no arguments)" : line;
}

// A CSV file as text fields: the header and the rows.
struct Csv {
  std::vector<std::string> header;
  std::vector<std::vector<std::string>> rows;

  std::size_t column(const std::string& name) const {
    for (std::size_t i = 0; i < header.size(); ++i)
      if (header[i] == name) return i;
    throw std::runtime_error("no column " + name);
  }
};

inline Csv readCsv(const std::string& path) {
  Csv csv;
  std::istringstream in(readFile(path));
  std::string line;
  auto fields = [](const std::string& text) {
    std::vector<std::string> out;
    std::string field;
    std::istringstream items(text);
    while (std::getline(items, field, ',')) out.push_back(field);
    return out;
  };
  if (std::getline(in, line)) csv.header = fields(line);
  while (std::getline(in, line)) csv.rows.push_back(fields(line));
  return csv;
}

// The value of a CSV field, read exactly as a float or a double; throws when the text
// is not entirely a number.
template <class T>
T parseExact(const std::string& text) {
  T value{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size())
    throw std::runtime_error("not a number: " + text);
  return value;
}

}  // namespace simtest
