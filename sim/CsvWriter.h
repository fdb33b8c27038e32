#pragma once

#include <charconv>
#include <cstdint>
#include <memory>
#include <string>

#include "boat/Voilier.h"
#include "sim/AtomicFile.h"
#include "sim/RunSettings.h"

namespace sim {

/// The log of a run: one CSV row per tick, the tick number, the simulated time and
/// every field of the boat that a tick changes, then the tick's setpoints w1 and w2.
/// Numbers are in their shortest form that reads back to the same float or double
/// (so "0.1" for 0.1f); a value that is not finite reads "nan", "inf" or "-inf".
/// Rows collect in a large buffer written out in whole chunks.
class CsvWriter {
 public:
  /// The header line, without its line end: the columns' names.
  static constexpr const char* kHeader =
      "tick,time,x,y,theta,v,omega,deltav,deltag,phi,dphi,V,cap,q,fg,fv,u1,u2,capd,w1,w2";

  /// Starts the file (see AtomicFile) and writes the header. Throws FileError.
  explicit CsvWriter(const std::string& path);

  /// Appends the row of tick n: the boat at the end of the tick and its setpoints.
  void add(std::int64_t n, const Voilier& e, float w1, float w2) {
    char* p = buffer_.get() + used_;
    p = std::to_chars(p, p + kMaxNumber, n).ptr;
    p = field(p, tickTime(n));
    p = field(p, e.x);
    p = field(p, e.y);
    p = field(p, e.theta);
    p = field(p, e.v);
    p = field(p, e.omega);
    p = field(p, e.deltav);
    p = field(p, e.deltag);
    p = field(p, e.phi);
    p = field(p, e.dphi);
    p = field(p, e.V);
    p = field(p, e.cap);
    p = field(p, e.q);
    p = field(p, e.fg);
    p = field(p, e.fv);
    p = field(p, e.u1);
    p = field(p, e.u2);
    p = field(p, e.capd);
    p = field(p, w1);
    p = field(p, w2);
    *p++ = '\n';
    used_ = std::size_t(p - buffer_.get());
    if (used_ > kBufferSize - kMaxRow) flush();
  }

  /// Writes out the rows still in the buffer. Throws FileError.
  void finish();

  /// Gives the finished file its name. Throws FileError.
  void commit() { file_.commit(); }

 private:
  // The longest number text: a double's shortest form takes at most 24 characters.
  static constexpr std::size_t kMaxNumber = 32;
  static constexpr std::size_t kColumns = 21;
  static constexpr std::size_t kMaxRow = kColumns * (kMaxNumber + 1) + 1;
  // Bytes collected before a write: large enough that writing costs little per row.
  static constexpr std::size_t kBufferSize = std::size_t(1) << 20;

  // A comma, then the value in its shortest round-trip form (float or double).
  template <class T>
  static char* field(char* p, T value) {
    *p++ = ',';
    return std::to_chars(p, p + kMaxNumber, value).ptr;
  }

  void flush();

  AtomicFile file_;
  std::unique_ptr<char[]> buffer_;
  std::size_t used_ = 0;
};

}  // namespace sim
