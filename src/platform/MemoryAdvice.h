// Hints to the kernel about large buffers.
#pragma once

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <vector>

namespace tarnwick::platform {

// Asks for transparent huge pages on the whole 2 MiB pages inside [data, data + size). Large
// buffers then take a few hundred page faults instead of hundreds of thousands. Only advice:
// without huge pages the memory works the same.
void AdviseHugePages(void* data, std::size_t size);

// Gives a vector room for wanted elements in a block advised as above before the elements are
// copied over, so growing a large table does not fault the new block in page by page.
template <class T>
void ReserveAdvised(std::vector<T>& v, std::size_t wanted) {
    if (wanted <= v.capacity()) {
        return;
    }
    std::vector<T> grown;
    grown.reserve(wanted);
    AdviseHugePages(grown.data(), grown.capacity() * sizeof(T));
    grown.insert(grown.end(), std::make_move_iterator(v.begin()), std::make_move_iterator(v.end()));
    v.swap(grown);
}

// Room for more elements; a full vector doubles, as it would on its own, but through
// ReserveAdvised.
template <class T>
void MakeRoomAdvised(std::vector<T>& v, std::size_t more) {
    if (v.size() + more > v.capacity()) {
        ReserveAdvised(v, v.size() + std::max(v.size(), more));
    }
}

}  // namespace tarnwick::platform
