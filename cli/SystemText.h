#pragma once

#include <string>
#include <vector>

// The program's texts are UTF-8; Windows hands the command line and takes file names and console
// output in the ANSI code page unless asked otherwise. Elsewhere these change nothing.
namespace korvane::cli {

// The command line as UTF-8: on Windows read again from the wide command line, so a unit or
// file name outside the ANSI code page arrives intact.
std::vector<std::string> Utf8Arguments(int argc, char** argv);

// After a failed write to standard output: whether its reader went away (korvane-cli ... | head),
// which is the reader's choice rather than lost output.
bool OutputReaderGone();

// For the program's lifetime on Windows: standard input in binary mode (text mode would end it
// at a Ctrl+Z byte; the line reader takes CR LF itself) and a console that shows UTF-8. Standard
// output stays in text mode and ends its lines with CR LF, as Windows programs and files do.
class ConsoleSession {
  public:
    ConsoleSession();
    ~ConsoleSession();
    ConsoleSession(const ConsoleSession&) = delete;
    ConsoleSession& operator=(const ConsoleSession&) = delete;

    // Flushes the output and gives the console back now, for a program that ends through
    // std::exit, which destroys no local object.
    void End();

  private:
    unsigned int previousOutputCodePage_ = 0;
};

}  // namespace korvane::cli
