// libFuzzer entry: random bytes through the tool's reader and scanners and through the plain
// reference; any difference in findings aborts.
#include <cstddef>
#include <cstdint>

#include "differential.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    check_scanners_agree(data, size);
    return 0;
}
