#include "XMLLibrary.h"

#include <algorithm>

#include "support/NumberText.h"

namespace {

constexpr std::string_view CRLF = "\r\n";
constexpr std::size_t FlushSize = 1 << 20;

}  // namespace

void AppendEscaped(std::string& out, std::string_view text) {
  for (char c : text) {
    switch (c) {
      case '\n': out += "&#10;"; break;
      case '\r': out += "&#13;"; break;
      case '"': out += "&quot;"; break;
      case '&': out += "&amp;"; break;
      case '\'': out += "&apos;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      default: out += c;
    }
  }
}

std::string AddEscapeChars(std::string_view text) {
  std::string escaped;
  AppendEscaped(escaped, text);
  return escaped;
}

TXMLWriter::~TXMLWriter() {
  try {
    Flush();
  } catch (...) {
  }
}

void TXMLWriter::Flush() {
  stream_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
  buffer_.clear();
  if (!stream_) throw std::ios_base::failure("cannot write the SVG file");
}

void TXMLWriter::FlushWhenFull() {
  if (buffer_.size() >= FlushSize) Flush();
}

void TXMLWriter::Write(std::string_view text) { buffer_ += text; }

void TXMLWriter::PutAttribute(std::string_view name, std::string_view value, bool newLine) {
  if (attributeCount_ == MaxAttributes) return;
  TXMLAttribute& attribute = attributes_[static_cast<std::size_t>(attributeCount_++)];
  attribute.Name.assign(name);
  attribute.Value.assign(value);
  attribute.NewLine = newLine;
}

void TXMLWriter::PutAttribute(std::string_view name, double value, int decimals, bool newLine) {
  if (attributeCount_ == MaxAttributes) return;
  TXMLAttribute& attribute = attributes_[static_cast<std::size_t>(attributeCount_++)];
  attribute.Name.assign(name);
  attribute.Value.clear();
  AppendFixed(attribute.Value, value, decimals);
  attribute.NewLine = newLine;
}

void TXMLWriter::AppendAttributes() {
  for (int i = 0; i < attributeCount_; ++i) {
    const TXMLAttribute& attribute = attributes_[static_cast<std::size_t>(i)];
    if (attribute.NewLine) {
      buffer_ += CRLF;
      buffer_.append(static_cast<std::size_t>((currentIndent_ + 1) * TabIncrement), ' ');
    }
    buffer_ += ' ';
    buffer_ += attribute.Name;
    buffer_ += "=\"";
    buffer_ += attribute.Value;
    buffer_ += '"';
  }
  attributeCount_ = 0;
}

std::string TXMLWriter::GetAttributeStr() const {
  std::string text;
  for (int i = 0; i < attributeCount_; ++i) {
    const TXMLAttribute& attribute = attributes_[static_cast<std::size_t>(i)];
    if (attribute.NewLine) text += std::string(CRLF) + std::string(static_cast<std::size_t>((currentIndent_ + 1) * TabIncrement), ' ');
    text += ' ' + attribute.Name + "=\"" + attribute.Value + '"';
  }
  return text;
}

void TXMLWriter::XMLIndent() { buffer_.append(static_cast<std::size_t>(currentIndent_ * TabIncrement), ' '); }

void TXMLWriter::XMLOpenElementAttributes(std::string_view element, bool closed, bool newLine) {
  XMLIndent();
  buffer_ += '<';
  buffer_ += element;
  AppendAttributes();
  buffer_ += closed ? "/>" : ">";
  if (newLine) buffer_ += CRLF;
  FlushWhenFull();
}

void TXMLWriter::XMLOpenElementBlock(std::string_view element) {
  XMLOpenElementAttributes(element, false, true);
  SetIndent(true);
}

void TXMLWriter::XMLCloseElementBlock(std::string_view element) {
  SetIndent(false);
  XMLCloseElementIndent(element);
}

void TXMLWriter::XMLWriteClosedElementAttrib(std::string_view tag) { XMLOpenElementAttributes(tag, true, true); }

void TXMLWriter::XMLWriteCompleteElementAttrib(std::string_view tag, std::string_view data) {
  XMLOpenElementAttributes(tag, false, false);
  buffer_ += data;
  XMLCloseElement(tag);
}

void TXMLWriter::XMLCloseElement(std::string_view element) {
  buffer_ += "</";
  buffer_ += element;
  buffer_ += '>';
  buffer_ += CRLF;
  FlushWhenFull();
}

void TXMLWriter::XMLCloseElementIndent(std::string_view element) {
  XMLIndent();
  XMLCloseElement(element);
}

void TXMLWriter::XMLWritePIDeclaration(std::string_view element) {
  XMLIndent();
  buffer_ += "<?";
  buffer_ += element;
  AppendAttributes();
  buffer_ += "?>";
  buffer_ += CRLF;
}

void TXMLWriter::XMLWriteComment(std::string_view comment) {
  XMLIndent();
  buffer_ += "<!--";
  buffer_ += comment;
  buffer_ += "-->";
  buffer_ += CRLF;
}

void TXMLWriter::XMLOpenInternalDocType(std::string_view root, std::string_view dtdType, std::string_view dtdName,
                                        std::string_view dtdUrl) {
  XMLIndent();
  buffer_ += "<!DOCTYPE ";
  buffer_ += root;
  if (!dtdType.empty()) (buffer_ += ' ') += dtdType;
  for (std::string_view quoted : {dtdName, dtdUrl})
    if (!quoted.empty()) ((buffer_ += " \"") += quoted) += '"';
  buffer_ += " [";
  buffer_ += CRLF;
  SetIndent(true);
}

void TXMLWriter::XMLWriteInternalEntity(std::string_view name, std::string_view value) {
  XMLIndent();
  buffer_ += "<!ENTITY ";
  buffer_ += name;
  buffer_ += " \"";
  buffer_ += value;
  buffer_ += "\">";
  buffer_ += CRLF;
}

void TXMLWriter::XMLCloseInternalDocType() {
  XMLWriteIndentEOL("]>");
  SetIndent(false);
}

void TXMLWriter::XMLNewLine() { buffer_ += CRLF; }

void TXMLWriter::XMLWriteLine(std::string_view text) {
  buffer_ += text;
  buffer_ += CRLF;
}

void TXMLWriter::XMLWriteIndented(std::string_view text) {
  XMLIndent();
  buffer_ += text;
}

void TXMLWriter::XMLWriteIndentEOL(std::string_view text) {
  XMLWriteIndented(text);
  buffer_ += CRLF;
}

void TXMLWriter::XMLWriteMultiLineIndent(std::string_view text) {
  while (!text.empty()) {
    std::size_t end = text.find_first_of("\r\n");
    XMLWriteIndentEOL(text.substr(0, end));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + (text.substr(end, 2) == CRLF ? 2 : 1));
  }
}

void TXMLWriter::SetIndent(bool increment) {
  currentIndent_ = increment ? currentIndent_ + 1 : std::max(0, currentIndent_ - 1);
}

void TXMLWriter::ResetXMLWriter() {
  currentIndent_ = 0;
  attributeCount_ = 0;
}
