#pragma once
// A file's bytes, mapped into memory read-only rather than copied: a large
// drawing is read once by the system and shared with its page cache.

#include <string>
#include <string_view>

class TMappedFile {
public:
  // Throws "Cannot open "FILE": reason" (a folder too).
  explicit TMappedFile(const std::string& fileName);
  ~TMappedFile();
  TMappedFile(const TMappedFile&) = delete;
  TMappedFile& operator=(const TMappedFile&) = delete;

  std::string_view Bytes() const { return {data_, size_}; }

private:
  const char* data_ = "";
  std::size_t size_ = 0;
  bool mapped_ = false;
  std::string copy_;  // what cannot be mapped (a pipe) is read
};
