#pragma once

// The standard streams, declared without <iostream>.
//
// Under libstdc++ every file that includes <iostream> holds a static std::ios_base::Init, which
// builds the eight standard streams and the classic locale before main() whether the command
// prints through them or not: a tenth of a one-shot conversion's time. The one-shot conversions
// print through stdio (cli/Output.h); every other command opens the streams first. This header
// declares them as <iostream> does and keeps <iostream> out of the file that includes it, so it
// comes before anything that would include <iostream> (CLI11 does: include cli/Cli11.h).
#include <istream>
#include <ostream>

#if defined(__GLIBCXX__) && !defined(_GLIBCXX_IOSTREAM)
#define _GLIBCXX_IOSTREAM 1  // libstdc++'s own guard: <iostream> is now read as included
namespace std {              // NOLINT(cert-dcl58-cpp): the declarations <iostream> makes
extern istream cin;
extern ostream cout;
extern ostream cerr;
extern ostream clog;
extern wistream wcin;
extern wostream wcout;
extern wostream wcerr;
extern wostream wclog;
}  // namespace std
#elif !defined(__GLIBCXX__)
#include <iostream>  // another library: its streams cost what they cost
#endif

namespace korvane::cli {

// Builds the standard streams, once; later calls cost nothing. Before the first use of
// std::cout, std::cerr or std::cin.
void OpenStandardStreams();

}  // namespace korvane::cli
