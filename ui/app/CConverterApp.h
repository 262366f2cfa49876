#pragma once

#include "app/ConverterState.h"

namespace korvane {

class DesktopServices;

// The application object: finds the settings file, runs the converter window once, modally,
// and returns when it ends. The values every window shares live here for the whole run.
class CConverterApp {
  public:
    explicit CConverterApp(DesktopServices& services);

    // The whole life of the program; the result is the process's exit status.
    int InitInstance();

  private:
    DesktopServices& services_;
    ConverterState state_;
};

}  // namespace korvane
