// plotgen VECTORS OUT.plt [SEED]: writes a large realistic plot file.

#include <cstdlib>
#include <fstream>
#include <iostream>

#include "PlotGenerator.h"

int main(int argc, char** argv) {
  if (argc < 3 || argc > 4) {
    std::cerr << "usage: plotgen VECTORS OUT.plt [SEED]\n";
    return 2;
  }
  long vectors = std::atol(argv[1]);
  std::ofstream out(argv[2], std::ios::binary);
  if (vectors <= 0 || !out) {
    std::cerr << "plotgen: need a positive vector count and a writable output file\n";
    return 2;
  }
  GeneratePlot(out, vectors, argc == 4 ? static_cast<unsigned>(std::atoi(argv[3])) : 1);
  return out ? 0 : 1;
}
