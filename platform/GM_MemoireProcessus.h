#pragma once

#include <cstddef>

// How the process gives memory back to the system.
//
// The table window handles pictures of one to four megabytes (the cloth,
// the slate, the textures' upload copies, the window's frames) many times
// a deal. The C library's allocator, left to itself, raises the size from
// which it maps a block on its own once such a block is freed: the pictures
// then come from the heap and, freed, stay with the process (a whole match
// ended with some 70 MB free inside the heap and 50 MB in the threads'
// arenas, none of it returned).
//
// Rules:
// - regleAllocateur is called once, at the start of the program, before the
//   window exists: blocks of SEUIL_BLOC_MAPPE bytes or more are then mapped
//   on their own and go back to the system as soon as they are freed. The
//   price: such a block made and freed over and over is mapped and cleared
//   anew each time; the window's flush copies the whole window (4 MB at
//   1280 x 800) at every frame, some 1.7 ms of the GUI thread a frame.
// - rendMemoireLibre returns what is free inside the heaps; it walks every
//   arena, so it is called at calm points (a deal's end), never per frame.
// - Both do nothing where the C library offers no such control (only the
//   GNU C library does); the program behaves the same, it only keeps more.
class GM_MemoireProcessus
{
public:
    static constexpr std::size_t SEUIL_BLOC_MAPPE = 256 * 1024;

    // False where the allocator cannot be told.
    static bool regleAllocateur();
    static void rendMemoireLibre();
};
