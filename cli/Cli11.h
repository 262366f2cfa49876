#pragma once

// CLI11, without the standard streams it would build before main() (see StandardStreams.h).
#include "cli/StandardStreams.h"

#include <CLI/CLI.hpp>
