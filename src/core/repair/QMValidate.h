#pragma once
// The tag-balance check of SVG files and the load path of drawings.
//
// The check reads the raw bytes once and looks only at tag names and their
// nesting: an end tag that matches no open element, or an element left
// open under one that is closed, is a fault with its line and byte offsets.
// The load path checks a drawing, prepares its text (the clip frame, the
// Illustrator private data, the editors' namespace declarations) and
// parses it.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "export/QMGlobal.h"
#include "merge/XMLDom.h"
#include "repair/QMProcessLog.h"
#include "repair/TextEdits.h"
#include "support/UserInterface.h"

enum TXMLErrorType { etNoOpenTag = 0, etNoCloseTag = 1 };

struct TXMLErrorInfo {
  std::string Tag;  // "/g" for an end tag without an open element; "g" for one left open
  TXMLErrorType ErrorType = etNoOpenTag;
  std::int32_t LineNumber = 0;  // 1-based line of the ">" that ended the tag revealing the fault
  std::int64_t BeginInx = 0;    // byte offset of that tag's "<"
  std::int64_t EndInx = 0;      // byte offset just past its ">"
  friend bool operator==(const TXMLErrorInfo&, const TXMLErrorInfo&) = default;
};
using TXMLErrorArray = std::vector<TXMLErrorInfo>;

// Replaces errors with the faults of the text.
void ValidateXMLFile(std::string_view text, TXMLErrorArray& errors);
// "No Open Tag", "No Close Tag", else "Unknown".
std::string XMLErrorToStr(int errorType);

// The faults of the last file validated, from the dialog or from a load;
// the validation dialog shows them.
class TXMLValidation {
public:
  // Checks the bytes of the file and keeps its faults; their number.
  int Validate(const std::string& fileName, std::string_view bytes);
  // Keeps the faults of a check made elsewhere; their number.
  int Keep(const std::string& fileName, TXMLErrorArray errors);
  const std::string& FileName() const { return fileName_; }
  const TXMLErrorArray& Errors() const { return errors_; }
  // Told after every validation (the dialog refreshes).
  void OnValidated(std::function<void()> listener) { listener_ = std::move(listener); }

private:
  std::string fileName_;
  TXMLErrorArray errors_;
  std::function<void()> listener_;
};

// What loading a drawing reports to and keeps its faults in.
struct TLoadServices {
  TXMLValidation& Validation;
  TProcessLog& Log;
  TUserInterface& UI;
};

// Logs, validates the bytes and warns when faults were found; never stops a load.
void CheckXMLSyntax(const std::string& fileName, std::string_view bytes, TLoadServices& services);
// The changes the load path makes to a file's text before parsing: the clip
// frame, the Illustrator private data, the three namespace declarations of
// the root that it lacks (each logged "Adding: NAME").
TTextEdits PrepareText(std::string_view text, const TSVGInfo& info, TProcessLog& log);
// The file's text prepared for parsing, after the check and its warning.
std::string ValidateXML(const std::string& fileName, const TSVGInfo& info, TLoadServices& services);
// The same load, parsed into doc without copying the file (the check runs
// beside the parse; its warning comes when both are done); "Empty SVG File"
// when nothing is in it, the parser's error when it does not parse.
void LoadValidateFile(const std::string& fileName, TXMLDocument& doc, const TSVGInfo& info, TLoadServices& services);

// The three editor namespace declarations the load path gives the root.
constexpr std::string_view InkscapeNamespaceURI = "http://www.inkscape.org/namespaces/inkscape";
constexpr std::string_view IllustratorNamespaceURI = "http://ns.adobe.com/AdobeIllustrator/10.0/";
constexpr std::string_view SodipodiNamespaceURI = "http://sodipodi.sourceforge.net/DTD/sodipodi-0.dtd";
