#include "chardata/diagnostics.h"

#include <algorithm>

namespace boxedit {

std::string FormatDiagnostic(const Diagnostic& d, const std::string& fileName) {
  std::string text = fileName;
  if (d.line > 0) {
    text += ':';
    text += std::to_string(d.line);
  }
  text += d.severity == Severity::kError ? ": error: " : ": warning: ";
  text += d.message;
  return text;
}

bool HasErrors(const Diagnostics& diagnostics) {
  return std::any_of(diagnostics.begin(), diagnostics.end(),
                     [](const Diagnostic& d) { return d.severity == Severity::kError; });
}

}  // namespace boxedit
