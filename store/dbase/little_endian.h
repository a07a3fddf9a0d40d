#pragma once

#include <QtGlobal>

// The header's integers are little-endian whatever the machine.
namespace dbase::le {

inline quint32 readU32(const char* p)
{
    return quint32(quint8(p[0])) | quint32(quint8(p[1])) << 8 | quint32(quint8(p[2])) << 16 |
           quint32(quint8(p[3])) << 24;
}

inline quint16 readU16(const char* p)
{
    return quint16(quint8(p[0]) | quint8(p[1]) << 8);
}

inline void putU32(char* p, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

inline void putU16(char* p, quint16 v)
{
    p[0] = static_cast<char>(v & 0xFF);
    p[1] = static_cast<char>(v >> 8);
}

} // namespace dbase::le
