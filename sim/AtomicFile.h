#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>

namespace sim {

/// A file that cannot be written, with a message that names it.
class FileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

/// An output file written whole or not at all. The bytes go to a temporary file in
/// the same folder, which commit() renames to the requested name. Until then the
/// requested name is untouched: a failed write, a destructor without commit, an
/// interruption by SIGINT, SIGTERM or SIGHUP (see Interruption.h) remove the temporary file and leave any
/// older file of that name as it was. The file gets the usual permissions (0666 less the umask), as if it had
/// been created directly.
class AtomicFile {
 public:
  /// Creates the temporary file. Throws FileError when the folder cannot take it or
  /// the requested name is taken by something else than a regular file (a folder, a
  /// symbolic link, a device).
  explicit AtomicFile(std::string path);
  ~AtomicFile();
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  /// Appends bytes. Throws FileError on a write error (a full disk, for example).
  void write(const char* data, std::size_t size);
  void write(const std::string& text) { write(text.data(), text.size()); }

  /// Closes the temporary file and renames it to the requested name. Throws
  /// FileError (and removes the temporary file) if either fails.
  void commit();

  const std::string& path() const { return path_; }

 private:
  [[noreturn]] void fail(const std::string& what);
  void discard();

  std::string path_;
  std::string temporaryPath_;
  int fd_ = -1;
  int slot_ = -1;  // registration for removal on interruption
};

}  // namespace sim
