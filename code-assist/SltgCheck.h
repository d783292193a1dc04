#pragma once
// The check of a type library in the older format, which the platform's
// loader reads by following the positions, lengths and chains written in it
// without looking at the library's size: the chain of blocks (which loops
// without end when it leads back), the library block and its table of types,
// the name table, and in each type's block the references to other types and
// libraries, the chain of implemented interfaces (which also loops without
// end when it leads back), the function and variable records, their
// parameters, type descriptions and constant values.
#include "TypeLibLinks.h"

#include <cstdint>

namespace TypeLibCheck {

const uint32_t kSltgSignature = 0x47544C53;   // "SLTG"

// False when the loader would read outside the library, loop without end or
// fault on what it read. Otherwise true, with what the loader follows out of
// the library in `links`; nothing there when the loader itself turns the
// library down before it reads anything harmful.
bool SltgSound(const uint8_t* lib, uint64_t size, Links& links);

} // namespace TypeLibCheck
