#pragma once

// How the process gives memory back to the system.
//
// The table window handles pictures of one to four megabytes (the cloth,
// the slate, the textures' upload copies, the window's frames) many times a
// deal; freed, they stay with the process until the heaps are trimmed.
//
// Rules:
// - rendMemoireLibre returns what is free inside the heaps; it walks every
//   arena, so it is called at calm points (a deal's end), never per frame.
// - The allocator's threshold for mapping a block on its own is left to the
//   C library: fixed low, it gave back some 50 MB more after a match, but
//   every frame of the window (Qt copies the whole window when it holds an
//   OpenGL widget) was then mapped and cleared anew, 1.7 ms of the GUI
//   thread a frame, and a whole match in the window ran a fifth slower.
// - partageLesTas is called once, before any thread starts: past that the
//   C library gives every new thread (the computer player's evaluation
//   threads, the software renderer's, Qt's pools) a heap of its own, each
//   keeping its freed pages; the window's threads share two (some 40 MB
//   less after a match in the window). The computer player allocates from
//   a reserve of its own per search, so its decisions take no longer, and
//   nine programs playing side by side on two processors played as fast
//   with two heaps each as with the C library's many.
// - Neither does anything where the C library offers no such control (only the
//   GNU C library does); the program behaves the same, it only keeps more.
class GM_MemoireProcessus
{
public:
    static void rendMemoireLibre();
    static void partageLesTas();
};
