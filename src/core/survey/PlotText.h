#pragma once
// Character-level reading of plot file text, with one current character.
//
// The text ends at the end of the file or at a Ctrl-Z, wherever it stands.
// Lines end with CR LF; a LF that no CR precedes is read as CR LF, so files
// that passed through Unix tools read like the originals. Numbers use "."
// whatever the process locale.

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

class TPlotText {
public:
  static constexpr int EndOfText = -1;
  static constexpr int CR = '\r', LF = '\n', FF = '\f';

  explicit TPlotText(std::FILE* file) : file_(file) {}
  TPlotText(const TPlotText&) = delete;
  TPlotText& operator=(const TPlotText&) = delete;

  // Reads one character: its code 0..255, or EndOfText.
  int Next() {
    int c = Peek();
    if (c > 26 || (c != EndOfText && !IsBareLineFeedAhead())) ++pos_;
    return current_ = c;
  }
  int Current() const { return current_; }
  // True when nothing but the end of text follows.
  bool AtEnd() { return Peek() == EndOfText; }
  // Bytes of the file read so far.
  std::uint64_t Offset() const { return consumed_ + pos_; }

  // Reads up to and including the next LF (or to the end of text).
  void ReadToLineEnd();
  // Reads until the marker is read (true) or a CR or the end of text is (false).
  // Looks for nothing while the current character is a CR: once a piece of a
  // line is missing, no later piece on that line is looked for.
  bool ScanFor(char marker);
  // A token of characters with codes lowestCode and above, after skipping
  // lower ones; empty at once on CR, form feed or end of text. Characters
  // past the capacity are read and dropped. The character ending it is read.
  std::string_view ReadToken(std::size_t capacity, int lowestCode);
  // Up to the end of the line, as it stands (the CR is read).
  std::string_view ReadRestOfLine(std::size_t capacity);
  // The text between the next double quote on the line and the following
  // one; "\" takes the next character literally; ends early at CR, form feed
  // or end of text.
  std::string_view ReadQuoted(std::size_t capacity);

  // Numbers are single tokens, separated by blanks, tabs and line ends; at
  // the end of text they read as 0. Anything else, or a token longer than
  // the 64 KiB buffer, fails with "Invalid numeric input". The character
  // after the number stays unread.
  double ReadReal();
  std::int32_t ReadInteger();
  // Skips to the first digit or "." (keeping a sign right before it), then
  // takes digits, ".", "E", "e", "+" and "-"; the character after is read.
  double ReadLenient();

private:
  int Peek() {
    if (pos_ == length_ && !Fill()) return EndOfText;
    int c = static_cast<unsigned char>(buffer_[pos_]);
    if (c > 26) return c;  // the usual case: no Ctrl-Z, no line feed
    if (c == 26) return EndOfText;
    return IsBareLineFeedAhead() ? CR : c;
  }
  bool IsBareLineFeedAhead() const { return buffer_[pos_] == LF && current_ != CR; }
  // Takes a character that Peek gave and that is no line end.
  void Take(int c) {
    ++pos_;
    current_ = c;
  }
  // Reads the next buffer; false at the end of the file. A failing read
  // (a folder, a device error) throws: it is no end of text.
  bool Fill();
  std::string_view NumberToken();

  std::FILE* file_;
  char buffer_[1 << 16];
  std::size_t pos_ = 0, length_ = 0;
  std::uint64_t consumed_ = 0;  // bytes of the buffers before this one
  int current_ = 0;
  char text_[256];  // the last token, number or comment read
  std::string longNumber_;  // a number that runs over the end of the buffer
};
