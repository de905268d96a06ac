#pragma once
// The application: sets up Qt and runs the main window until the user leaves it.
#include "guarded_application.h"

class CVelmoraApp {
public:
  CVelmoraApp(int& argc, char** argv);

  // Runs the main window; the program ends with it.
  int Run();

private:
  GuardedApplication app_;
};
