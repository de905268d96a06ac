#include <cstdio>

int main() {
  std::puts("velmora-cli: not yet");
  return 2;
}
