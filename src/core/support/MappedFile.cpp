#include "MappedFile.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace {

std::runtime_error CannotOpen(const std::string& fileName, int error) {
  return std::runtime_error("Cannot open \"" + fileName + "\": " + std::strerror(error));
}

}  // namespace

TMappedFile::TMappedFile(const std::string& fileName) {
  const int fd = open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw CannotOpen(fileName, errno);
  struct stat status {};
  if (fstat(fd, &status) != 0 || S_ISDIR(status.st_mode)) {
    const int error = S_ISDIR(status.st_mode) ? EISDIR : errno;
    close(fd);
    throw CannotOpen(fileName, error);
  }
  if (S_ISREG(status.st_mode) && status.st_size > 0) {
    void* data = mmap(nullptr, static_cast<std::size_t>(status.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
    if (data != MAP_FAILED) {
      madvise(data, static_cast<std::size_t>(status.st_size), MADV_SEQUENTIAL);
      data_ = static_cast<const char*>(data);
      size_ = static_cast<std::size_t>(status.st_size);
      mapped_ = true;
      close(fd);
      return;
    }
  }
  char buffer[1 << 16];
  for (ssize_t count; (count = read(fd, buffer, sizeof buffer)) != 0;) {
    if (count < 0) {
      if (errno == EINTR) continue;
      const int error = errno;
      close(fd);
      throw std::runtime_error("Cannot read \"" + fileName + "\": " + std::strerror(error));
    }
    copy_.append(buffer, static_cast<std::size_t>(count));
  }
  close(fd);
  data_ = copy_.data();
  size_ = copy_.size();
}

TMappedFile::~TMappedFile() {
  if (mapped_) munmap(const_cast<char*>(data_), size_);
}
