#pragma once

#include <cstddef>

namespace core {

// A hint for a large block that is filled once and then read: back it with large pages where
// the system offers them, which makes touching it the first time far cheaper. Blocks smaller
// than a few large pages, and systems without them, are left as they are.
void adviseLargePages(void* data, size_t size);

} // namespace core
