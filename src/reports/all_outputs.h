// Every output of a project at once, into one folder: the table of the workbook reports (the
// single report commands take theirs from it too) and the writing of them all with the scheme.
#pragma once

#include "port/user_port.h"
#include "reports/output_command.h"
#include "reports/report_outcome.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vartesk {

class TProject;
class TWiresList;

// A workbook report.
struct TWorkbookOutput
{
    const char *Name; // "mount1": the command line's word and the file name's ending
    TReportOutcome (*Write)(TProject &project,
                            const TWiresList &catalog,
                            const std::filesystem::path &forms,
                            const std::filesystem::path &target,
                            TMessages &messages,
                            TWaitScope *wait);
    int StepsPerSection; // of the wait window
    bool IsDampers; // no catalog check; among all outputs only when the project asks for it
};

// The workbooks, in the order they are written.
std::span<const TWorkbookOutput> WorkbookOutputs();
const TWorkbookOutput *FindWorkbookOutput(std::string_view name);

// What the files of a project are named after: the project file's name up to its first ".",
// "project" for a project never saved.
std::string OutputsBaseName(const std::filesystem::path &projectFile);

struct TAllOutputsCommand
{
    std::filesystem::path Forms; // the templates' folder
    std::string BaseName; // base-mount1.xls, ..., base.dxf
    TSaveRequest Folder; // the folder dialog's title and starting folder
    // What the outputs are made from besides the catalogs; no output replaces one of them.
    std::vector<TInputFile> Inputs;
    // Called with each file as soon as it is written.
    std::function<void(const std::filesystem::path &)> OnWritten;
};

// How one output ended.
struct TOutputResult
{
    std::string File; // its name in the folder
    bool Written = false;
    bool Complete = false; // it holds everything
};

struct TAllOutputsOutcome
{
    std::filesystem::path Folder;
    std::vector<TOutputResult> Outputs; // in the order written
    int WrittenCount() const;
    bool Complete() const; // every output written whole
};

// The output-command frame for every output: OutputChecksPass once, the folder choice (Cancel
// ends without a word; a folder that is not there is told), then under one wait window each
// workbook (dampers only when the project's damper calculation is on) and the scheme, each
// from a fresh copy of `project`, since the journal and the scheme change the last spans as
// they go. An output that would replace one of the inputs or catalogs is told and left out;
// the others are written all the same. Nothing when a check or the choice stopped it. The
// summary and the desktop's open are the caller's.
std::optional<TAllOutputsOutcome> WriteAllOutputs(const TProject &project,
                                                  const TWiresList &catalog,
                                                  TUserPort &port,
                                                  const TAllOutputsCommand &command);

// The summary a person reads at the end: the folder, the files written whole, those written
// incomplete and those not written; the messages told on the way said why.
std::string AllOutputsSummary(const TAllOutputsOutcome &outcome);

} // namespace vartesk
