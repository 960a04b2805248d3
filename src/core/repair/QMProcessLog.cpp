#include "QMProcessLog.h"

void TProcessLog::LogText(std::string_view text) {
  while (!text.empty()) {
    std::size_t end = text.find_first_of("\r\n");
    lines_.emplace_back(text.substr(0, end));
    if (listener_) listener_(lines_.back());
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + (text.substr(end, 2) == "\r\n" ? 2 : 1));
  }
}
