#pragma once

// How the process's heap gives memory back.

namespace plat {

// Makes every large block (decoded pictures above all) go back to the system when it is freed.
// The C library otherwise raises its threshold for that as large blocks are freed and then keeps
// freed pictures in its heaps, one per thread: pictures decoded on the picture worker and freed
// on the main thread left several megabytes more at the peak of an examination. Call it first
// thing in main().
void returnLargeBlocksWhenFreed();

} // namespace plat
