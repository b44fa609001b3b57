// Build tool: turns a list of UTF-8 texts into a header of GBK string constants, so that the
// program's own texts are written readably in the source and are GBK bytes at run time.
//
//   gbk_texts INPUT OUTPUT NAMESPACE
//
// INPUT lines are `kName text` (the text runs to the end of the line); lines starting with '#'
// and empty lines are skipped. In the text, \r, \n and \\ stand for a carriage return, a line feed
// and a backslash. Each becomes `inline constexpr std::string_view kName = "...";`.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "platform/gbk.h"

namespace {

std::string CLiteral(const std::string& bytes) {
  std::string literal = "\"";
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      literal += '\\';
      literal += c;
    } else if (byte >= 0x20 && byte < 0x7F && c != '?') {
      literal += c;
    } else {
      // Octal escapes end after three digits, so a following digit cannot join them.
      char escape[5];
      std::snprintf(escape, sizeof escape, "\\%03o", byte);
      literal += escape;
    }
  }
  return literal + "\"";
}

std::string Unescape(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    const char next = text[++i];
    out += next == 'r' ? '\r' : next == 'n' ? '\n' : next;
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: gbk_texts INPUT OUTPUT NAMESPACE\n";
    return 2;
  }
  std::ifstream input(argv[1]);
  if (!input) {
    std::cerr << "gbk_texts: cannot read " << argv[1] << ": " << std::strerror(errno) << "\n";
    return 1;
  }
  std::ostringstream header;
  header << "#pragma once\n// Generated from " << argv[1] << " by gbk_texts. Do not edit.\n"
         << "#include <string_view>\n\nnamespace " << argv[3] << " {\n\n";
  std::string line;
  int lineNumber = 0;
  while (std::getline(input, line)) {
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    const std::size_t space = line.find(' ');
    if (space == std::string::npos) {
      std::cerr << argv[1] << ":" << lineNumber << ": expected `kName text`\n";
      return 1;
    }
    const std::string name = line.substr(0, space);
    const std::string text = Unescape(line.substr(space + 1));
    const std::string gbk = gradova::platform::Utf8ToGbk(text);
    if (gradova::platform::GbkToUtf8(gbk) != text) {
      std::cerr << argv[1] << ":" << lineNumber << ": text is not representable in GBK\n";
      return 1;
    }
    header << "// " << line.substr(space + 1) << "\ninline constexpr std::string_view " << name
           << " = " << CLiteral(gbk) << ";\n";
  }
  header << "\n}  // namespace " << argv[3] << "\n";
  // Build tools differ in whether they make an output's folder first; Make does not.
  const std::filesystem::path outputPath(argv[2]);
  std::error_code error;
  if (outputPath.has_parent_path())
    std::filesystem::create_directories(outputPath.parent_path(), error);
  if (error) {
    std::cerr << "gbk_texts: cannot make the folder of " << argv[2] << ": " << error.message()
              << "\n";
    return 1;
  }
  std::ofstream output(argv[2], std::ios::binary);
  output << header.str();
  output.close();
  if (!output) {
    std::cerr << "gbk_texts: cannot write " << argv[2] << ": " << std::strerror(errno) << "\n";
    return 1;
  }
  return 0;
}
