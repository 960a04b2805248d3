// libFuzzer entry: see scripts/fuzz.sh.
#include <cstddef>
#include <cstdint>

#include "FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzSettingsFile({reinterpret_cast<const char*>(data), size});
  return 0;
}
