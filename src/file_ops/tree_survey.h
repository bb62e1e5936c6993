#pragma once

#include "platform/folder_walk.h"

class RunProgress;

namespace FileOps {

// Looks at the whole tree below top before its removal deletes anything,
// walking it as the removal will: counts the files the removal will delete,
// and ends as OtherVolume, naming the place, where a volume is mounted on top
// itself or anywhere inside it (on a folder, or bind-mounted on a single
// file). Each folder looked at is a step of progress, so that a long look
// shows the progress window and can be cancelled (Stopped).
platform::WalkOutcome surveyTree(const platform::FolderHandle& top, platform::EntryScope scope,
                                 RunProgress& progress, int& files);

}  // namespace FileOps
