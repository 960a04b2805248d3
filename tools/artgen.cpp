// artgen IN.svg OUT.svg: draws artwork round every shot of an export (see
// ArtworkGenerator.h), for measuring merges of large drawings.

#include <fstream>
#include <iostream>
#include <sstream>

#include "ArtworkGenerator.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: artgen IN.svg OUT.svg\n";
    return 2;
  }
  try {
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) throw std::runtime_error(std::string("cannot open ") + argv[1]);
    std::ostringstream text;
    text << in.rdbuf();
    TXMLDocument doc;
    doc.Parse(text.str(), argv[1]);
    const TArtwork art = DrawArtwork(doc);
    doc.Save(argv[2]);
    std::cout << art.Ids.size() << " elements drawn\n";
  } catch (const std::exception& error) {
    std::cerr << "artgen: " << error.what() << '\n';
    return 1;
  }
  return 0;
}
