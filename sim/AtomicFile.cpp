#include "sim/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "sim/Interruption.h"

namespace sim {

namespace {

// Permissions of a new file: 0666 less the umask, read without changing it for good.
mode_t newFileMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

// "dir/.name.XXXXXX" for "dir/name": hidden, in the same folder, so that the rename
// stays on one file system.
std::string temporaryTemplate(const std::string& path) {
  const auto slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  return folder + "." + name + ".XXXXXX";
}

}  // namespace

AtomicFile::AtomicFile(std::string path) : path_(std::move(path)) {
  // Only a regular file is ever replaced: renaming over a symbolic link or a device
  // (/dev/stdout, say) would put a plain file in its place.
  struct stat existing;
  if (path_.empty() || path_.back() == '/' ||
      (stat(path_.c_str(), &existing) == 0 && S_ISDIR(existing.st_mode)))
    throw FileError("cannot write '" + path_ + "': it is a folder");
  if (lstat(path_.c_str(), &existing) == 0 && !S_ISREG(existing.st_mode))
    throw FileError("cannot write '" + path_ + "': it exists and is not a regular file");

  std::string pattern = temporaryTemplate(path_);
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  {
    InterruptionsDeferred deferred;
    fd_ = mkstemp(name.data());
    if (fd_ < 0) throw FileError("cannot write '" + path_ + "': " + std::strerror(errno));
    temporaryPath_ = name.data();
    slot_ = registerTemporaryFile(temporaryPath_.c_str());
  }
  if (slot_ < 0) {
    discard();
    throw FileError("cannot write '" + path_ + "': path too long");
  }
  if (fchmod(fd_, newFileMode()) != 0) fail("cannot set its permissions");
}

AtomicFile::~AtomicFile() { discard(); }

void AtomicFile::write(const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t written = ::write(fd_, data, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      fail(std::strerror(errno));
    }
    data += written;
    size -= std::size_t(written);
  }
}

void AtomicFile::commit() {
  const int fd = fd_;
  fd_ = -1;
  if (close(fd) != 0) fail(std::strerror(errno));
  InterruptionsDeferred deferred;
  if (rename(temporaryPath_.c_str(), path_.c_str()) != 0) fail(std::strerror(errno));
  unregisterTemporaryFile(slot_);
  slot_ = -1;
  temporaryPath_.clear();
}

void AtomicFile::fail(const std::string& what) {
  discard();
  throw FileError("cannot write '" + path_ + "': " + what);
}

void AtomicFile::discard() {
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
  if (!temporaryPath_.empty()) {
    InterruptionsDeferred deferred;
    unlink(temporaryPath_.c_str());
    unregisterTemporaryFile(slot_);
  }
  slot_ = -1;
  temporaryPath_.clear();
}

}  // namespace sim
