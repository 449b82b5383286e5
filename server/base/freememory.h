#pragma once
// The service's allocator. A search makes and frees many small objects (its
// words, Xapian's posting lists and weights), which tcmalloc serves faster
// than glibc's malloc; builds with the sanitizers keep theirs.
namespace tarvelo::server {

// Gives memory the process has freed back to the system: after reading a
// catalogue, which frees far more than it keeps.
void releaseFreeMemory();

} // namespace tarvelo::server
