// Undo and redo of project changes as plain snapshots of the model.
#pragma once

#include "model/project.h"

#include <cstddef>
#include <memory>
#include <vector>

namespace vartesk {

class TUndoHistory
{
public:
    // Snapshots of a 10,000-support line are a few megabytes; a day's work of steps fits.
    static constexpr std::size_t kMaxSteps = 200;

    void Clear();
    // Records the project as it was before a change; the redo steps are gone then.
    void Push(std::unique_ptr<TProject> before);
    bool CanUndo() const { return !Undos.empty(); }
    bool CanRedo() const { return !Redos.empty(); }
    // Makes `project` what it was one step back (forward); the state left is kept for the way
    // back. False when there is no such step.
    bool Undo(TProject &project);
    bool Redo(TProject &project);

private:
    std::vector<std::unique_ptr<TProject>> Undos;
    std::vector<std::unique_ptr<TProject>> Redos;
};

// A deep copy of the project's persistent part.
std::unique_ptr<TProject> Snapshot(const TProject &project);

} // namespace vartesk
