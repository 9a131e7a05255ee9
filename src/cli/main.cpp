// tavo-cli: batch commands over the workbench core.
#include <iostream>

int main(int argc, char** argv) {
  (void)argv;
  if (argc < 2) {
    std::cerr << "usage: tavo-cli info FILE [--json] [--program-folder DIR]\n";
    return 2;
  }
  return 0;
}
