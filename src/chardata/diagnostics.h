// Problems found in a character's list file, reported as "motion.lst:LINE: severity: message".
#pragma once

#include <string>
#include <vector>

namespace boxedit {

enum class Severity { kWarning, kError };

struct Diagnostic {
  int line = 0;  // 1-based line in the file; 0 when the problem concerns the whole file
  Severity severity = Severity::kWarning;
  std::string message;
};

using Diagnostics = std::vector<Diagnostic>;

// "motion.lst:12: warning: message", or "motion.lst: error: message" for line 0.
std::string FormatDiagnostic(const Diagnostic& d, const std::string& fileName = "motion.lst");

bool HasErrors(const Diagnostics& diagnostics);

}  // namespace boxedit
