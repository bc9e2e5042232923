// The MSZIP body of a compressed .x file: a 4-byte uncompressed size, then
// blocks of a 2-byte uncompressed size, a 2-byte packed size and "CK", each a
// raw deflate stream whose dictionary is what the blocks before it expanded to.
#pragma once

#include <cstdint>
#include <vector>

#include "readers/common/byte_input.h"

// Expands `body` (the bytes after the file header) into `out`. False for a
// corrupt block, for sizes that do not match what the blocks hold, and for a
// stated size beyond 512 MiB.
bool ExpandMsZip(ByteSpan body, std::vector<uint8_t>& out);
