#include "archive/zip_directory.h"

#include <QBuffer>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), int(size));
    QBuffer archive(&bytes);
    archive.open(QIODevice::ReadOnly);
    const std::optional<ZipDirectory::Directory> directory = ZipDirectory::read(archive);
    if (directory) {
        // Every entry lies in the archive and the sum is no more than the parts.
        for (const ZipDirectory::Entry& entry : directory->entries) {
            if (entry.localHeaderOffset < 0 || entry.rawName.size() > 0xFFFF)
                __builtin_trap();
        }
        if (directory->declaredBytes < 0 || directory->files > directory->entries.size())
            __builtin_trap();
    }
    return 0;
}
