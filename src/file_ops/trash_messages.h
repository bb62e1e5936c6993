#pragma once

#include <QString>

namespace FileOps {

// Asked once before anything is deleted where no trash can be reached.
inline QString noTrashQuestion()
{
    return QStringLiteral("ごみ箱に移動できません。完全に削除しますか？");
}

// The status line after a run that put count files or folders in the trash.
inline QString trashedStatus(int count)
{
    return QStringLiteral("ごみ箱に移動しました（%1 個）").arg(count);
}

}  // namespace FileOps
