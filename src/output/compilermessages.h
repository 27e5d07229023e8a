#pragma once

// What the help compiler said about the help it compiled. A compiler may write the compiled
// file and still have failed to read pages ("Error: Html parsing X.html, failed ..."): such a
// help is not simply "compiled", so its errors and warnings are read from the compiler's
// output and handed on as values, each with the page it names.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qs::output {

enum class CompilerMessageKind { Error, Warning };

struct CompilerMessage {
  CompilerMessageKind kind = CompilerMessageKind::Error;
  // The page the message is about, as the compiler names it (relative to the help folder);
  // empty when it names none.
  std::string page;
  // The message without its "Error:" or "Warning:" mark.
  std::string text;

  friend bool operator==(const CompilerMessage&, const CompilerMessage&) = default;
};

// The errors and warnings in the compiler's output (standard output and error together, lines
// ended by LF or CR LF): errors first, then warnings, each kind in the order written. A line
// counts when it starts with "Error:" or "Warning:" (any letter case), also after a message
// number such as "HHC5003: "; notes and progress lines are passed over.
std::vector<CompilerMessage> ReadCompilerMessages(std::string_view output);

std::size_t CountMessages(const std::vector<CompilerMessage>& messages, CompilerMessageKind kind);

// "2 errors and 1 warning", "1 error", "3 warnings"; empty when there is neither.
std::string CountedMessagesText(const std::vector<CompilerMessage>& messages);

// "compiled with 2 errors and 1 warning", "compiled with 1 error", "compiled with 3 warnings";
// empty when there is neither.
std::string CompiledWithText(const std::vector<CompilerMessage>& messages);

// The message as one line to show: "Error in B.html: Html parsing B.html, failed ...", or
// without " in " and a page when it names none.
std::string MessageLine(const CompilerMessage& message);

}  // namespace qs::output
