#include "platform/path_field.h"

#include "platform/file_name_codec.h"
#include "platform/vb_look.h"

namespace platform {

void PathField::setPath(const QString& exactPath)
{
    heldPath_ = exactPath;
    setTextOf(this, readableFileName(exactPath));
}

}  // namespace platform
