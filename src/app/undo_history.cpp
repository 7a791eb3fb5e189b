// Undo and redo of project changes.
#include "app/undo_history.h"

namespace vartesk {

std::unique_ptr<TProject> Snapshot(const TProject &project)
{
    auto copy = std::make_unique<TProject>();
    copy->Assign(project);
    return copy;
}

void TUndoHistory::Clear()
{
    Undos.clear();
    Redos.clear();
}

void TUndoHistory::Push(std::unique_ptr<TProject> before)
{
    Redos.clear();
    Undos.push_back(std::move(before));
    if (Undos.size() > kMaxSteps)
        Undos.erase(Undos.begin());
}

namespace {

bool Move(std::vector<std::unique_ptr<TProject>> &from,
          std::vector<std::unique_ptr<TProject>> &to,
          TProject &project)
{
    if (from.empty())
        return false;
    to.push_back(Snapshot(project));
    project.Assign(*from.back());
    from.pop_back();
    return true;
}

} // namespace

bool TUndoHistory::Undo(TProject &project)
{
    return Move(Undos, Redos, project);
}

bool TUndoHistory::Redo(TProject &project)
{
    return Move(Redos, Undos, project);
}

} // namespace vartesk
