#pragma once
// Values read from the bytes of program files and type libraries, which
// store them little-endian and at any alignment. The caller has checked that
// the bytes lie inside the data.
#include <cstdint>

namespace LittleEndian {

inline uint16_t U16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

inline int16_t I16(const uint8_t* p)
{
    return static_cast<int16_t>(U16(p));
}

inline uint32_t U32(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

} // namespace LittleEndian
