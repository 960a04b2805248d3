#include "QMValidate.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <thread>
#include <stdexcept>

#include "QMNormalize.h"
#include "support/MappedFile.h"

namespace {

const std::string Hyphens(36, '-');

// The open elements of one scan; their names are kept for reuse.
class TOpenElements {
public:
  bool Empty() const { return depth_ == 0; }
  std::size_t Depth() const { return depth_; }
  void Push(std::string_view name) {
    if (depth_ == names_.size()) names_.emplace_back();
    names_[depth_++].assign(name);
  }
  void Pop() { --depth_; }
  const std::string& Top(std::size_t below = 0) const { return names_[depth_ - 1 - below]; }

private:
  std::vector<std::string> names_;
  std::size_t depth_ = 0;
};

// Whether the start tag text declares an attribute of this name.
bool DeclaresAttribute(std::string_view startTag, std::string_view name) {
  for (std::size_t at = startTag.find(name); at != std::string_view::npos; at = startTag.find(name, at + 1)) {
    const char before = at > 0 ? startTag[at - 1] : '<';
    std::size_t after = at + name.size();
    while (after < startTag.size() && (startTag[after] == ' ' || startTag[after] == '\t' || startTag[after] == '\r' ||
                                       startTag[after] == '\n'))
      ++after;
    const bool blankBefore = before == ' ' || before == '\t' || before == '\r' || before == '\n';
    if (blankBefore && after < startTag.size() && startTag[after] == '=') return true;
  }
  return false;
}

}  // namespace

void ValidateXMLFile(std::string_view text, TXMLErrorArray& errors) {
  errors.clear();
  TOpenElements open;
  const char* const data = text.data();
  const std::size_t size = text.size();
  std::int32_t line = 1;
  std::size_t position = 0;
  while (position < size) {
    const char* lt = static_cast<const char*>(std::memchr(data + position, '<', size - position));
    if (!lt) break;
    line += static_cast<std::int32_t>(std::count(data + position, lt, '\n'));
    const std::size_t begin = static_cast<std::size_t>(lt - data);
    // The name: what follows "<" up to a blank, a control character or ">".
    std::size_t p = begin + 1;
    while (p < size && static_cast<unsigned char>(data[p]) >= 33 && data[p] != '>') ++p;
    const std::string_view tag(data + begin + 1, p - begin - 1);
    // The first ">" ends the tag, in comments and quoted values too.
    const char* gt = p < size ? static_cast<const char*>(std::memchr(data + p, '>', size - p)) : nullptr;
    const std::size_t close = gt ? static_cast<std::size_t>(gt - data) : size;
    line += static_cast<std::int32_t>(std::count(data + p, data + close, '\n'));
    const std::size_t end = gt ? close + 1 : size;
    position = end;
    const bool empty = gt && close > begin + 1 && data[close - 1] == '/';
    if (empty || tag.empty() || tag.front() == '!' || tag.front() == '?') continue;
    if (tag.front() != '/') {
      open.Push(tag);
      continue;
    }
    const std::string_view name = tag.substr(1);
    if (!open.Empty() && open.Top() == name) {
      open.Pop();
      continue;
    }
    TXMLErrorInfo fault;
    fault.LineNumber = line;
    fault.BeginInx = static_cast<std::int64_t>(begin);
    fault.EndInx = static_cast<std::int64_t>(end);
    if (open.Depth() >= 2 && open.Top(1) == name) {
      // The top element was left open: both it and the one closed go.
      fault.Tag = open.Top();
      fault.ErrorType = etNoCloseTag;
      open.Pop();
      open.Pop();
    } else {
      fault.Tag = tag;
      fault.ErrorType = etNoOpenTag;
    }
    errors.push_back(std::move(fault));
  }
}

std::string XMLErrorToStr(int errorType) {
  switch (errorType) {
    case etNoOpenTag: return "No Open Tag";
    case etNoCloseTag: return "No Close Tag";
    default: return "Unknown";
  }
}

int TXMLValidation::Validate(const std::string& fileName, std::string_view bytes) {
  TXMLErrorArray errors;
  ValidateXMLFile(bytes, errors);
  return Keep(fileName, std::move(errors));
}

int TXMLValidation::Keep(const std::string& fileName, TXMLErrorArray errors) {
  fileName_ = fileName;
  errors_ = std::move(errors);
  if (listener_) listener_();
  return static_cast<int>(errors_.size());
}

namespace {

void WarnOfFaults(int count, TUserInterface& ui) {
  if (count > 0)
    ui.Warning(std::to_string(count) + " XML Syntax Errors Found\r\n" +
               "The file may not load, repair or process propterly\r\n" +
               "Select \"Tools->File Errors/Validate\" option from the menu bar.\r\n" +
               "to viewer errors. May require manual editing to repair.\r\n");
}

}  // namespace

void CheckXMLSyntax(const std::string& fileName, std::string_view bytes, TLoadServices& services) {
  services.Log.LogText("Validating File XML Syntax");
  WarnOfFaults(services.Validation.Validate(fileName, bytes), services.UI);
}

TTextEdits PrepareText(std::string_view text, const TSVGInfo& info, TProcessLog& log) {
  TTextEdits edits;
  HandleSVGClipFrame(text, info, edits);
  if (info.RemovePGFBinary) StripPGFBinary(text, edits);
  std::size_t nameEnd = 0;
  const std::size_t root = FindSVGStartTag(text, 0, &nameEnd);
  if (root == std::string_view::npos) return edits;
  // The root start tag as it was: every test looks at it, and every
  // declaration goes right after its name, the last one first. They go in
  // with blanks, not line ends, so that the parser's line numbers stay those
  // of the file (the document is written afresh anyway).
  const std::size_t rootEnd = GetEndOfBlock(text, root);
  const std::string_view startTag =
      text.substr(root, rootEnd == std::string_view::npos ? std::string_view::npos : rootEnd - root + 1);
  const std::pair<std::string_view, std::string_view> declarations[] = {
      {"xmlns:inkscape", InkscapeNamespaceURI},
      {"xmlns:i", IllustratorNamespaceURI},
      {"xmlns:sodipodi", SodipodiNamespaceURI},
  };
  std::string insertion;
  for (const auto& [key, uri] : declarations) {
    if (DeclaresAttribute(startTag, key)) continue;
    insertion.insert(0, " " + std::string(key) + "=\"" + std::string(uri) + "\" ");
    log.LogText("Adding: " + std::string(key) + "\r\n");
  }
  if (!insertion.empty()) edits.Insert(nameEnd, std::move(insertion));
  return edits;
}

std::string ValidateXML(const std::string& fileName, const TSVGInfo& info, TLoadServices& services) {
  services.Log.LogText("Validating File\r\n" + Hyphens + "\r\n");
  const TMappedFile file(fileName);
  CheckXMLSyntax(fileName, file.Bytes(), services);
  return PrepareText(file.Bytes(), info, services.Log).ApplyTo(file.Bytes());
}

void LoadValidateFile(const std::string& fileName, TXMLDocument& doc, const TSVGInfo& info, TLoadServices& services) {
  services.Log.LogText("Validating File\r\n" + Hyphens + "\r\n");
  const TMappedFile file(fileName);
  const std::string_view bytes = file.Bytes();
  // The tag check reads the file as it is while the parser reads it as the
  // text repairs leave it: they share the bytes, and the two cores.
  services.Log.LogText("Validating File XML Syntax");
  TXMLErrorArray errors;
  std::thread check([&] { ValidateXMLFile(bytes, errors); });
  std::exception_ptr failure;
  try {
    TTextEdits::TReader reader(bytes, PrepareText(bytes, info, services.Log));
    doc.Parse(
        [&](char* buffer, std::size_t length) {
          services.UI.ProcessEvents();  // a large drawing takes seconds
          return reader.Read(buffer, length);
        },
        fileName);
  } catch (...) {
    failure = std::current_exception();
  }
  check.join();
  WarnOfFaults(services.Validation.Keep(fileName, std::move(errors)), services.UI);
  if (failure) std::rethrow_exception(failure);
  if (doc.Empty()) throw std::runtime_error("Empty SVG File");
}
