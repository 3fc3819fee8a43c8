#pragma once

// How the process's allocator hands memory back, set once at start-up,
// before the first thread and the first big picture.
//
// Rules:
// - Pictures of several megabytes (the cloth, the slate, the frames of the
//   software OpenGL renderer) are made and dropped over and over during a
//   match. Left to itself, glibc raises its mmap threshold each time such a
//   block is freed, after which they are carved from the heap and the holes
//   they leave are never returned: the window kept about 50 MB it no longer
//   used after one match. A fixed threshold keeps them in their own
//   mappings, returned to the system when freed.
// - Elsewhere than glibc, or when the user set MALLOC_MMAP_THRESHOLD_,
//   nothing is changed.
class ZB_ReglageMemoire
{
public:
    static constexpr int SEUIL_MMAP_OCTETS = 256 * 1024;

    // True when the allocator took the setting.
    static bool applique();
};
