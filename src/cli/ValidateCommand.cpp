// quillmap validate FILE.svg [--json]: the tag-balance check of a drawing,
// one line per fault.

#include "Cli.h"
#include "Commands.h"
#include "JsonText.h"
#include "repair/QMValidate.h"
#include "support/MappedFile.h"

int ValidateCommand(const TCommandArgs& args, std::ostream& out, std::ostream& err) {
  std::string file;
  bool json = false;
  for (const std::string& arg : args) {
    if (arg == "--json") json = true;
    else if (arg.starts_with("-")) return UsageError(err, "validate: unknown option \"" + arg + "\"");
    else if (!file.empty()) return UsageError(err, "validate: one file at a time");
    else file = arg;
  }
  if (file.empty()) return UsageError(err, "validate: no file given");
  TXMLValidation validation;
  try {
    validation.Validate(file, TMappedFile(file).Bytes());
  } catch (const std::exception& error) {
    err << "quillmap: " << error.what() << '\n';
    return ExitFailed;
  }
  const TXMLErrorArray& faults = validation.Errors();
  if (json) {
    out << "{\"file\": " << JsonString(file) << ", \"count\": " << faults.size() << ", \"faults\": [";
    for (std::size_t i = 0; i < faults.size(); ++i) {
      const TXMLErrorInfo& fault = faults[i];
      out << (i ? ", " : "") << "{\"line\": " << fault.LineNumber << ", \"tag\": " << JsonString(fault.Tag)
          << ", \"kind\": " << JsonString(XMLErrorToStr(fault.ErrorType)) << ", \"begin\": " << fault.BeginInx
          << ", \"end\": " << fault.EndInx << "}";
    }
    out << "]}\n";
  } else {
    for (const TXMLErrorInfo& fault : faults)
      out << file << ':' << fault.LineNumber << ": " << fault.Tag << ": " << XMLErrorToStr(fault.ErrorType)
          << " (bytes " << fault.BeginInx << " to " << fault.EndInx << ")\n";
    if (faults.empty()) out << file << ": tags balanced, no faults\n";
    else out << faults.size() << (faults.size() == 1 ? " fault\n" : " faults\n");
  }
  return faults.empty() ? ExitLoaded : ExitFailed;
}
