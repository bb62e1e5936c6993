#include "archive/member_names.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray raw(reinterpret_cast<const char*>(data), int(size));
    for (const QString& name : {MemberNames::decodeUnmarked(raw), MemberNames::decode(raw, true),
                                MemberNames::decode(raw, false)}) {
        const MemberNames::Place place = MemberNames::placeOf(name);
        for (const QString& part : place.parts) {
            // No part may lead out of the folder or hold a separator.
            if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String("..")
                || part.contains(QLatin1Char('/')) || part.contains(QLatin1Char('\\')))
                __builtin_trap();
        }
        MemberNames::shownName(name);
    }
    return 0;
}
