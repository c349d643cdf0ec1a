// Hints to the kernel about large buffers.
#pragma once

#include <cstddef>

namespace tarnwick {

// Asks for transparent huge pages on the whole 2 MiB pages inside [data, data + size). Large
// buffers then take a few hundred page faults instead of hundreds of thousands. Only advice:
// without huge pages the memory works the same.
void AdviseHugePages(void* data, std::size_t size);

}  // namespace tarnwick
