#include "cli/Output.h"

#include <cstdio>
#include <string>

namespace korvane::cli {

namespace {

void Write(std::string_view text, std::FILE* stream) {
    std::fwrite(text.data(), 1, text.size(), stream);
}

}  // namespace

void PrintLine(std::string_view text) {
    Write(text, stdout);
    std::fputc('\n', stdout);
}

// One write, so a message is not split by another process writing to the same terminal.
void PrintMessage(std::string_view text) {
    std::string line = "korvane-cli: ";
    line += text;
    line += '\n';
    Write(line, stderr);
}

void PrintLineMessage(std::size_t lineNumber, std::string_view text) {
    PrintMessage("line " + std::to_string(lineNumber) + ": " + std::string(text));
}

}  // namespace korvane::cli
