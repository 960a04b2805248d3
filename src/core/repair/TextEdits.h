#pragma once
// Changes to a text, held apart from it: each erases a range of the text as
// it was and puts other text there. Applied, they give the changed text;
// read piece by piece, they give it without making it, so that a large
// drawing is never copied or moved for a few changes near its ends.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

struct TTextEdit {
  std::size_t Position = 0, Erase = 0;  // in the text as it was
  std::string Insert;
};

class TTextEdits {
public:
  // Positions refer to the text as it was; edits must not overlap. Texts
  // inserted at one position come in the order they were added.
  void Replace(std::size_t position, std::size_t erase, std::string insert);
  void Insert(std::size_t position, std::string text) { Replace(position, 0, std::move(text)); }
  void Erase(std::size_t position, std::size_t count) { Replace(position, count, {}); }
  bool Empty() const { return edits_.empty(); }

  std::string ApplyTo(std::string_view text) const;

  // The changed text in order, in as many reads as the reader asks for.
  class TReader {
  public:
    TReader(std::string_view text, const TTextEdits& edits);
    std::size_t Read(char* buffer, std::size_t length);

  private:
    std::vector<TTextEdit> edits_;  // sorted; the pieces point into them
    std::vector<std::string_view> pieces_;
    std::size_t piece_ = 0, offset_ = 0;
  };

private:
  std::vector<TTextEdit> Sorted() const;
  std::vector<TTextEdit> edits_;
};
