#include "titleplacement.h"

#include "big5.h"

int big5ByteLength(const QString &text)
{
    return static_cast<int>(toBig5(text).size());
}

int titleLeftForByteLength(int bytes)
{
    switch (bytes) {
    case 12: return 296;
    case 14: return 288;
    case 16: return 272;
    case 18: return 256;
    case 20: return 248;
    default: return 232;
    }
}

int titleLeftEdge(const QString &title)
{
    return titleLeftForByteLength(big5ByteLength(title));
}

int confirmedTitleLeftForByteLength(int bytes)
{
    switch (bytes) {
    case 12: return 311;
    case 14: return 312;
    case 16: return 301;
    case 18: return 285;
    default: return 286; // 20 bytes too
    }
}

int confirmedTitleLeftEdge(const QString &title)
{
    return confirmedTitleLeftForByteLength(big5ByteLength(title));
}
