// Examples as code: how PureBasic source is read (one table of lines and the parts they
// colour), and the HTML of real-looking examples, byte for byte.

#include "output/examplecode.h"

#include <gtest/gtest.h>

#include "output/purebasiccode.h"
#include "support/projectfixture.h"

namespace qs::output {
namespace {

// The code with every coloured part in braces, its kind first: {K:If} a<b.
std::string Marked(std::string_view code) {
  static constexpr char kLetters[] = {'P', 'K', 'C', 'S', 'N', 'H', 'F'};
  std::string out;
  std::size_t plain = 0;
  for (const CodeToken& token : PureBasicTokens(code)) {
    EXPECT_GE(token.start, plain) << code;
    out.append(code.substr(plain, token.start - plain));
    out.append("{").append(1, kLetters[static_cast<int>(token.kind)]).append(":");
    out.append(code.substr(token.start, token.length)).append("}");
    plain = token.start + token.length;
  }
  out.append(code.substr(plain));
  return out;
}

TEST(PureBasicTokens, colourTheLanguagesOwnPartsAndLeaveTheRestPlain) {
  struct Case {
    std::string_view code;
    std::string_view marked;
  };
  const Case cases[] = {
      // Keywords, in any letter case; a name ending in "$" or after "." or "\" is none.
      {"If a<b : Debug x", "{K:If} a<b : {K:Debug} x"},
      {"endif ENDIF EndIf", "{K:endif} {K:ENDIF} {K:EndIf}"},
      {"Next$ = *p\\Next + v.Data", "Next$ = *p\\Next + v.Data"},
      {"Define.i Count", "{K:Define}.i Count"},
      // Comments run to the line's end, whatever they hold; the next line is code again.
      {"x = 1 ; If \"not\" 2\r\nWend", "x = {N:1} {C:; If \"not\" 2}\r\n{K:Wend}"},
      // Strings: plain, with escapes after "~", characters; one not closed ends with its line.
      {"a$ = \"say ;\" + ~\"q\\\"\" + 'A'", "a$ = {S:\"say ;\"} + {S:~\"q\\\"\"} + {S:'A'}"},
      {"\"open\nRepeat", "{S:\"open}\n{K:Repeat}"},
      {"~\"ends \\", "{S:~\"ends \\}"},
      // Numbers: decimals with fraction and exponent, hexadecimal, binary where no operand
      // stands before "%" (else it is the modulo); digits inside names are the name's.
      {"x = 1.5e3 + $FF + %101 - a%2", "x = {N:1.5e3} + {N:$FF} + {N:%101} - a%{N:2}"},
      {"y = (a) % 10 + b1 + 7.", "y = (a) % {N:10} + b1 + {N:7}."},
      // Constants, with or without "$"; "#" alone is an operator character.
      {"#PB_Any | #Text$ # 1", "{H:#PB_Any} | {H:#Text$} # {N:1}"},
      // Calls: a name before "(", blanks between allowed; a keyword stays a keyword, a module's
      // function is a call, a structure field is not.
      {"OpenWindow (0, Len(t$))", "{F:OpenWindow} ({N:0}, {F:Len}(t$))"},
      {"Mod::Run() : p\\Do(1) : Not(x)", "Mod::{F:Run}() : p\\Do({N:1}) : {K:Not}(x)"},
      // A character reference is one character, not a comment, a constant or a number.
      {"t = &#945; + &#x3B1; & 1", "t = &#945; + &#x3B1; & {N:1}"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(Marked(c.code), c.marked) << c.code;
}

TEST(PureBasicKeywords, comeFromTheDataFileAndIgnoreLetterCase) {
  for (const std::string_view word :
       {"If", "ElseIf", "ForEver", "ProcedureReturn", "EndDeclareModule", "CompilerEndIf",
        "XIncludeFile", "EnableExplicit", "Threaded", "Runtime", "Prototype", "With", "xor"}) {
    EXPECT_TRUE(IsPureBasicKeyword(word)) << word;
  }
  for (const std::string_view word : {"", "Iff", "OpenWindow", "SizeOf", "Ifx", "If$"}) {
    EXPECT_FALSE(IsPureBasicKeyword(word)) << word;
  }
}

std::string Lines(std::initializer_list<std::string_view> lines) {
  std::string out;
  for (const std::string_view line : lines) {
    if (!out.empty()) out.append("\r\n");
    out.append(line);
  }
  return out;
}

TEST(ExampleCode, realExamplesComeOutColouredEscapedAndLinkedByteForByte) {
  const ExampleCode code({"Index", "TextTrim", "TextSplit"});
  struct Case {
    std::string example;
    std::string html;
  };
  const Case cases[] = {
      {Lines({
           "; Trim the blanks around a text",
           "Text$ = TextTrim(\"  Hello  \")",
           "If Len(Text$) < 10 And Text$ <> \"\"",
           "  Debug Text$ ; shows \"Hello\"",
           "EndIf",
       }),
       Lines({
           "<font color=\"#00AAAA\">; Trim the blanks around a text</font><br>",
           "Text$ = <a href=\"TextTrim.html\">TextTrim</a>(<font color=\"#993300\">\"&nbsp; "
           "&nbsp;Hello&nbsp; &nbsp;\"</font>)<br>",
           "<font color=\"#006666\"><b>If</b></font> <font color=\"#006666\">Len</font>(Text$) "
           "&lt; <font color=\"#0000CC\">10</font> <font color=\"#006666\"><b>And</b></font> "
           "Text$ &lt;&gt; <font color=\"#993300\">\"\"</font><br>",
           "&nbsp; &nbsp;<font color=\"#006666\"><b>Debug</b></font> Text$ <font "
           "color=\"#00AAAA\">; shows \"Hello\"</font><br>",
           "<font color=\"#006666\"><b>EndIf</b></font>",
       })},
      {Lines({
           "Procedure.i Flags(Value.i)",
           "\tProcedureReturn Value & $FF | #PB_Window_SystemMenu",
           "EndProcedure",
       }),
       Lines({
           "<font color=\"#006666\"><b>Procedure</b></font>.i <font "
           "color=\"#006666\">Flags</font>(Value.i)<br>",
           "&nbsp; &nbsp;<font color=\"#006666\"><b>ProcedureReturn</b></font> Value &amp; "
           "<font color=\"#0000CC\">$FF</font> | <font "
           "color=\"#924B72\">#PB_Window_SystemMenu</font><br>",
           "<font color=\"#006666\"><b>EndProcedure</b></font>",
       })},
      // Markup typed into code is shown as typed; a character reference stays the character.
      {"Debug ~\"<b>\\\"&amp;\\\"</b>\" ; &#945; & more",
       "<font color=\"#006666\"><b>Debug</b></font> <font "
       "color=\"#993300\">~\"&lt;b&gt;\\\"&amp;amp;\\\"&lt;/b&gt;\"</font> <font "
       "color=\"#00AAAA\">; &#945; &amp; more</font>"},
      // The language ignores letter case, and so do the links; the text stays as typed.
      {"n = textsplit(s$, \",\")",
       "n = <a href=\"TextSplit.html\">textsplit</a>(s$, <font color=\"#993300\">\",\"</font>)"},
  };
  for (const Case& c : cases) EXPECT_EQ(code.Html(c.example), c.html) << c.example;
}

TEST(ExampleCode, linksOnlyCallsOfTheNamesItWasGiven) {
  const ExampleCode none;
  EXPECT_EQ(none.Html("TextTrim(a)"), "<font color=\"#006666\">TextTrim</font>(a)");
  auto project = testsupport::MakeProject({"Index", "TextTrim", "Notes*", "Group#"});
  const ExampleCode fromProject(project);
  EXPECT_EQ(fromProject.Html("TextTrim(a) : TextTrim = 1 : Notes() : Group()"),
            "<a href=\"TextTrim.html\">TextTrim</a>(a) : TextTrim = <font "
            "color=\"#0000CC\">1</font> : <font color=\"#006666\">Notes</font>() : <font "
            "color=\"#006666\">Group</font>()");
}

TEST(ExampleCode, escapesEveryMarkupCharacterButKeepsCharacterReferences) {
  std::string out;
  AppendEscapedCode(out, "a<b>&c &#233; &#xE9; &#; &#x; &amp; &");
  EXPECT_EQ(out, "a&lt;b&gt;&amp;c &#233; &#xE9; &amp;#; &amp;#x; &amp;amp; &amp;");
}

}  // namespace
}  // namespace qs::output
