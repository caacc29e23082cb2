#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <cstdint>

// Font files store their numbers big-endian. Reads past the end give 0; callers
// check sizes first where a short table would matter.
namespace quillet::bigendian {

inline uint16_t u16(QByteArrayView data, qsizetype at)
{
    if (at < 0 || at + 2 > data.size())
        return 0;
    const auto* p = reinterpret_cast<const unsigned char*>(data.data()) + at;
    return uint16_t((p[0] << 8) | p[1]);
}

inline int16_t i16(QByteArrayView data, qsizetype at)
{
    return int16_t(u16(data, at));
}

inline uint32_t u32(QByteArrayView data, qsizetype at)
{
    return (uint32_t(u16(data, at)) << 16) | u16(data, at + 2);
}

inline void put16(QByteArray& data, qsizetype at, uint16_t value)
{
    data[at] = char(value >> 8);
    data[at + 1] = char(value);
}

inline void put32(QByteArray& data, qsizetype at, uint32_t value)
{
    put16(data, at, uint16_t(value >> 16));
    put16(data, at + 2, uint16_t(value));
}

inline void append16(QByteArray& data, uint16_t value)
{
    data.append(char(value >> 8));
    data.append(char(value));
}

inline void append32(QByteArray& data, uint32_t value)
{
    append16(data, uint16_t(value >> 16));
    append16(data, uint16_t(value));
}

} // namespace quillet::bigendian
