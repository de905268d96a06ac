#include <QApplication>

#include "window_tests.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  int failed = 0;
  for (auto run : {RunStartupTests, RunFormTests, RunFileListTests, RunLookupTests, RunUpdateTests})
    failed += run(argc, argv);
  return failed == 0 ? 0 : 1;
}
