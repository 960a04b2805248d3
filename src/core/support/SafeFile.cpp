#include "SafeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <streambuf>

namespace {

// The temporary files being written, for the signal handler. This is the
// one process-wide table of the library: signals are process-wide.
constexpr std::size_t MaxOpenTemporaries = 16;
constexpr std::size_t MaxPathLength = 4096;
struct TTemporarySlot {
  std::atomic<bool> InUse{false};
  std::atomic<bool> Ready{false};
  char Path[MaxPathLength];
};
std::array<TTemporarySlot, MaxOpenTemporaries> Temporaries;

class TTemporaryRegistration {
public:
  explicit TTemporaryRegistration(const std::string& path) {
    if (path.size() >= MaxPathLength) return;
    for (TTemporarySlot& slot : Temporaries) {
      bool expected = false;
      if (!slot.InUse.compare_exchange_strong(expected, true)) continue;
      std::memcpy(slot.Path, path.c_str(), path.size() + 1);
      slot.Ready.store(true);
      slot_ = &slot;
      return;
    }
  }
  ~TTemporaryRegistration() {
    if (!slot_) return;
    slot_->Ready.store(false);
    slot_->InUse.store(false);
  }
  TTemporaryRegistration(const TTemporaryRegistration&) = delete;
  TTemporaryRegistration& operator=(const TTemporaryRegistration&) = delete;

private:
  TTemporarySlot* slot_ = nullptr;
};

extern "C" void RemoveTemporariesAndExit(int signal) {
  for (TTemporarySlot& slot : Temporaries)
    if (slot.Ready.load()) unlink(slot.Path);
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

// An output buffer over a file descriptor that reports failing writes.
class TDescriptorBuffer : public std::streambuf {
public:
  explicit TDescriptorBuffer(int fd) : fd_(fd) { setp(buffer_.data(), buffer_.data() + buffer_.size()); }
  // Writes what is buffered; the errno of a failure, or 0.
  int Drain() {
    for (const char* p = pbase(); p < pptr();) {
      ssize_t written = ::write(fd_, p, static_cast<std::size_t>(pptr() - p));
      if (written < 0) {
        if (errno == EINTR) continue;
        error_ = errno;
        break;
      }
      p += written;
    }
    setp(buffer_.data(), buffer_.data() + buffer_.size());
    return error_;
  }
  int Error() const { return error_; }

protected:
  int_type overflow(int_type c) override {
    if (Drain() != 0) return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) sputc(traits_type::to_char_type(c));
    return traits_type::not_eof(c);
  }
  int sync() override { return Drain() == 0 ? 0 : -1; }

private:
  int fd_;
  int error_ = 0;
  std::array<char, 1 << 16> buffer_;
};

std::runtime_error CannotWrite(const std::string& path, const std::string& reason) {
  return std::runtime_error("Cannot write \"" + path + "\": " + reason);
}

}  // namespace

std::string RefusedOutput(const std::string& path, const std::string& protectedFile) {
  if (path.empty()) return "no file name given";
  struct stat status {};
  if (stat(path.c_str(), &status) != 0) return {};  // a new file
  if (S_ISDIR(status.st_mode)) return "it is a folder";
  if (!S_ISREG(status.st_mode)) return "it is not a regular file";
  std::error_code error;
  if (!protectedFile.empty() && std::filesystem::equivalent(path, protectedFile, error))
    return "it is the input file";
  return {};
}

void WriteFileSafely(const std::string& path, const std::function<void(std::ostream&)>& write,
                     const std::function<void()>& beforeReplace) {
  if (std::string refused = RefusedOutput(path); !refused.empty()) throw CannotWrite(path, refused);
  const std::filesystem::path target(path);
  const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
  std::string temporary = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
  int fd = mkstemp(temporary.data());
  if (fd < 0) throw CannotWrite(path, std::strerror(errno));
  TTemporaryRegistration registration(temporary);
  try {
    // A replaced file keeps its permissions; a new one gets the usual ones.
    struct stat old {};
    mode_t mode = 0666;
    if (stat(path.c_str(), &old) == 0) {
      mode = old.st_mode & 07777;
    } else {
      mode_t mask = umask(0);
      umask(mask);
      mode &= ~mask;
    }
    fchmod(fd, mode);
    TDescriptorBuffer buffer(fd);
    std::ostream stream(&buffer);
    stream.exceptions(std::ios::badbit);
    try {
      write(stream);
      stream.flush();
    } catch (const std::ios_base::failure&) {
      // The buffer knows what the system said.
    }
    if (int error = buffer.Error() ? buffer.Error() : buffer.Drain(); error != 0) throw CannotWrite(path, std::strerror(error));
    if (fsync(fd) != 0) throw CannotWrite(path, std::strerror(errno));
    int closed = close(fd);
    fd = -1;
    if (closed != 0) throw CannotWrite(path, std::strerror(errno));
    if (beforeReplace) beforeReplace();
    if (std::rename(temporary.c_str(), path.c_str()) != 0) throw CannotWrite(path, std::strerror(errno));
  } catch (const std::exception& error) {
    if (fd >= 0) close(fd);
    unlink(temporary.c_str());
    if (std::string_view(error.what()).starts_with("Cannot write \"")) throw;
    throw CannotWrite(path, error.what());
  }
}

void InstallTemporaryFileCleanup() {
  struct sigaction action {};
  action.sa_handler = RemoveTemporariesAndExit;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}
