#pragma once

#include <cstddef>
#include <cstdint>

// Runs every scanner over `data` twice: through the token reader, which reads in blocks of
// sizes the input itself chooses, and through a plain byte-at-a-time reference written from
// the definitions. Aborts, naming the mode, when their findings differ.
void check_scanners_agree(const std::uint8_t* data, std::size_t size);
