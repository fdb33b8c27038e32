#pragma once

#include <bit>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <type_traits>

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
    p = timeField(p, n);
    p = field(p, e.x, recent_[0]);
    p = field(p, e.y, recent_[1]);
    p = field(p, e.theta, recent_[2]);
    p = field(p, e.v, recent_[3]);
    p = field(p, e.omega, recent_[4]);
    p = field(p, e.deltav, recent_[5]);
    p = field(p, e.deltag, recent_[6]);
    p = field(p, e.phi, recent_[7]);
    p = field(p, e.dphi, recent_[8]);
    p = field(p, e.V, recent_[9]);
    p = field(p, e.cap, recent_[10]);
    p = field(p, e.q, recent_[11]);
    p = field(p, e.fg, recent_[12]);
    p = field(p, e.fv, recent_[13]);
    p = field(p, e.u1, recent_[14]);
    p = field(p, e.u2, recent_[15]);
    p = field(p, e.capd, recent_[16]);
    p = field(p, w1, recent_[17]);
    p = field(p, w2, recent_[18]);
    *p++ = '\n';
    used_ = std::size_t(p - buffer_.get());
    if (used_ > kBufferSize - kMaxRow) flush();
  }

  /// Writes out the rows still in the buffer. Throws FileError.
  void finish();

  /// Gives the finished file its name. Throws FileError.
  void commit() { file_.commit(); }

 private:
  // Room for a number text: a double's shortest form takes at most 24 characters.
  // Texts are copied kMaxNumber bytes at a time, which the buffer's margin allows.
  static constexpr std::size_t kMaxNumber = 32;
  static constexpr std::size_t kColumns = 21;
  static constexpr std::size_t kMaxRow = kColumns * (kMaxNumber + 1) + 1;
  // Bytes collected before a write: large enough that writing costs little per row.
  static constexpr std::size_t kBufferSize = std::size_t(1) << 20;
  // Ticks whose time is below 10^5 s.
  static constexpr std::int64_t kPlainTimeTicks = 1000000;

  // The last two values of a column and their texts. Many columns repeat a value
  // from one of the two rows before (q, capd, cap once it has settled, the setpoints,
  // V between its two gusts), and copying a text is far cheaper than forming it.
  struct RecentTexts {
    std::uint64_t bits[2] = {};
    std::uint8_t length[2] = {};  // 0: no text yet
    char text[2][kMaxNumber];
    int older = 0;  // the entry to replace next
  };

  // A comma, then the value in its shortest round-trip form (float or double),
  // compared by its bits so that 0 and -0 keep their own texts.
  template <class T>
  static char* field(char* p, T value, RecentTexts& recent) {
    *p++ = ',';
    const std::uint64_t bits =
        std::bit_cast<std::conditional_t<sizeof(T) == 4, std::uint32_t, std::uint64_t>>(value);
    for (int i = 0; i < 2; ++i) {
      if (recent.length[i] != 0 && recent.bits[i] == bits) {
        std::memcpy(p, recent.text[i], kMaxNumber);
        return p + recent.length[i];
      }
    }
    char* const end = std::to_chars(p, p + kMaxNumber, value).ptr;
    const int i = recent.older;
    recent.older = 1 - i;
    recent.bits[i] = bits;
    recent.length[i] = std::uint8_t(end - p);
    std::memcpy(recent.text[i], p, kMaxNumber);
    return end;
  }

  // A comma, then the time at the end of tick n (s) in the same text as field() would
  // give, formed from the digits of n: n / 10 has at most 7 significant digits below
  // 10^5 s, its decimal is the shortest that reads back, and it is never longer than
  // the exponent form. Longer runs go through field().
  char* timeField(char* p, std::int64_t n) {
    if (n >= kPlainTimeTicks) return field(p, tickTime(n), recentTimes_);
    *p++ = ',';
    p = std::to_chars(p, p + kMaxNumber, n / 10).ptr;
    if (n % 10 != 0) {
      *p++ = '.';
      *p++ = char('0' + n % 10);
    }
    return p;
  }

  void flush();

  AtomicFile file_;
  std::unique_ptr<char[]> buffer_;
  std::size_t used_ = 0;
  RecentTexts recent_[kColumns - 2];  // every column but the tick and the time
  RecentTexts recentTimes_;
};

}  // namespace sim
