#include "QMSodiPodi.h"

namespace {

constexpr const char* SodiPodiTags[] = {"sodipodi:ry", "sodipodi:rx", "sodipodi:cy", "sodipodi:cx", "sodipodi:type"};

}  // namespace

void RemoveSodipodi(TXMLNode element) {
  for (const char* name : SodiPodiTags) element.RemoveAttribute(name);
}
