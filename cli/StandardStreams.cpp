#include "cli/StandardStreams.h"

namespace korvane::cli {

void OpenStandardStreams() {
    // The object <iostream> would have put in every file; its destructor flushes the streams.
    static const std::ios_base::Init streams;
}

}  // namespace korvane::cli
