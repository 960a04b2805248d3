#include "TextEdits.h"

#include <algorithm>
#include <cstring>

void TTextEdits::Replace(std::size_t position, std::size_t erase, std::string insert) {
  edits_.push_back({position, erase, std::move(insert)});
}

std::vector<TTextEdit> TTextEdits::Sorted() const {
  std::vector<TTextEdit> sorted = edits_;
  std::stable_sort(sorted.begin(), sorted.end(),
                   [](const TTextEdit& a, const TTextEdit& b) { return a.Position < b.Position; });
  return sorted;
}

std::string TTextEdits::ApplyTo(std::string_view text) const {
  std::string result;
  std::size_t grown = 0;
  for (const TTextEdit& edit : edits_) grown += edit.Insert.size();
  result.reserve(text.size() + grown);
  std::size_t at = 0;
  for (const TTextEdit& edit : Sorted()) {
    result.append(text.substr(at, edit.Position - at));
    result.append(edit.Insert);
    at = edit.Position + edit.Erase;
  }
  result.append(text.substr(std::min(at, text.size())));
  return result;
}

TTextEdits::TReader::TReader(std::string_view text, const TTextEdits& edits) : edits_(edits.Sorted()) {
  std::size_t at = 0;
  for (const TTextEdit& edit : edits_) {
    if (edit.Position > at) pieces_.push_back(text.substr(at, edit.Position - at));
    if (!edit.Insert.empty()) pieces_.push_back(edit.Insert);
    at = edit.Position + edit.Erase;
  }
  if (at < text.size()) pieces_.push_back(text.substr(at));
}

std::size_t TTextEdits::TReader::Read(char* buffer, std::size_t length) {
  std::size_t done = 0;
  while (done < length && piece_ < pieces_.size()) {
    const std::string_view piece = pieces_[piece_];
    const std::size_t count = std::min(length - done, piece.size() - offset_);
    std::memcpy(buffer + done, piece.data() + offset_, count);
    done += count;
    offset_ += count;
    if (offset_ == piece.size()) {
      ++piece_;
      offset_ = 0;
    }
  }
  return done;
}
