#include "archive/lzh_header.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray header(reinterpret_cast<const char*>(data), int(size));
    const LzhHeader::Fields fields = LzhHeader::parse(header);
    if (fields.name.size() > header.size() || fields.folder.size() > header.size())
        __builtin_trap();
    LzhHeader::nameOf(fields);
    return 0;
}
