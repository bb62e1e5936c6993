#pragma once

namespace platform {
class DataProgress;
}

namespace FileOps {

class MovedSources;
class PlacementPlan;
class RunJournal;

// One run of placements, handed to each of its steps: nothing of a run is
// kept anywhere else. A run of a single file has a journal that keeps
// nothing, no plan, and deletes a moved source at once.
struct PlacementRun {
    RunJournal& journal;
    PlacementPlan* plan = nullptr;          // the names a batch run's preview promised
    MovedSources* movedSources = nullptr;   // deletes moved sources group by group
    int item = -1;                          // the file placed now, as the journal's plan numbers it
    // No trash can be reached and the user agreed: a replaced file is gone
    // for good, its successor on disk first.
    bool replaceForGood = false;
    // Follows each file's data and can stop the run within a big file.
    platform::DataProgress* progress = nullptr;
};

}  // namespace FileOps
