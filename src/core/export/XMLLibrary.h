#pragma once
// A streaming XML text writer: elements are written as they come, with a
// nesting level for indentation (4 spaces a level) and a queue of up to 25
// attributes for the next start tag. Bytes are written as given; lines end
// with CR LF. It knows nothing of SVG.

#include <array>
#include <ostream>
#include <string>
#include <string_view>

// Text with line ends, quotes, ampersands, apostrophes and angle brackets
// written as character references.
std::string AddEscapeChars(std::string_view text);
void AppendEscaped(std::string& out, std::string_view text);

class TXMLWriter {
public:
  static constexpr int MaxAttributes = 25;
  static constexpr int TabIncrement = 4;

  explicit TXMLWriter(std::ostream& stream) : stream_(stream) {}
  ~TXMLWriter();  // flushes; a failing stream is reported by Flush, not here
  TXMLWriter(const TXMLWriter&) = delete;
  TXMLWriter& operator=(const TXMLWriter&) = delete;

  // Queues an attribute of the next start tag; a 26th is dropped.
  void PutAttribute(std::string_view name, std::string_view value, bool newLine = false);
  // Queues a number in fixed point with the given decimals.
  void PutAttribute(std::string_view name, double value, int decimals, bool newLine = false);
  std::string GetAttributeStr() const;

  void XMLOpenElementAttributes(std::string_view element, bool closed, bool newLine);
  void XMLOpenElementBlock(std::string_view element);
  void XMLCloseElementBlock(std::string_view element);
  void XMLWriteClosedElementAttrib(std::string_view tag);
  void XMLWriteCompleteElementAttrib(std::string_view tag, std::string_view data);
  void XMLCloseElement(std::string_view element);
  void XMLCloseElementIndent(std::string_view element);
  void XMLWritePIDeclaration(std::string_view element);
  void XMLWriteComment(std::string_view comment);
  void XMLOpenInternalDocType(std::string_view root, std::string_view dtdType, std::string_view dtdName,
                              std::string_view dtdUrl);
  void XMLWriteInternalEntity(std::string_view name, std::string_view value);
  void XMLCloseInternalDocType();
  void XMLNewLine();
  void XMLWriteLine(std::string_view text);
  void XMLIndent();
  void XMLWriteIndented(std::string_view text);
  void XMLWriteIndentEOL(std::string_view text);
  void XMLWriteMultiLineIndent(std::string_view text);
  void SetIndent(bool increment);
  void ResetXMLWriter();
  int CurrentIndent() const { return currentIndent_; }

  // Writes out what is buffered; throws std::ios_base::failure when the stream fails.
  void Flush();

private:
  struct TXMLAttribute {
    std::string Name, Value;
    bool NewLine = false;
  };
  void AppendAttributes();
  void Write(std::string_view text);
  void FlushWhenFull();

  std::ostream& stream_;
  std::string buffer_;
  int currentIndent_ = 0;
  std::array<TXMLAttribute, MaxAttributes> attributes_;
  int attributeCount_ = 0;
};
