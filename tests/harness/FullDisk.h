#pragma once
// A disk that fills up: linked into a test program, it takes the place of
// the platform's WriteChunk, so that the program's safe writes can be made
// to fail part way.
#include <cstddef>

// Writing stops with an error once afterBytes more bytes have gone to disk;
// after that one failure the disk has room again.
void SimulateWriteFailure(size_t afterBytes);
