// The climate-file import: read aside, then take over.
#include "reports/climate_import.h"

#include "base/file_io.h"
#include "base/file_limits.h"
#include "base/number_text.h"
#include "l10n/language.h"
#include "model/project.h"
#include "model/projectfile/line_source.h"

namespace vartesk {

namespace {

constexpr const char *kVersionLine = "version 3.4";

// The file has 26 lines at most; past its end every line reads as empty, which no number
// converts from, and still counts, so that the message names the line where the value was
// expected rather than the file's last.
constexpr int kPadLines = 32;

// A real as the project file reads one: "," counts as ".", blanks around the number allowed.
double ReadReal(TLineSource &reader)
{
    std::string line = reader.Next();
    for (char &c : line)
        if (c == ',')
            c = '.';
    return ParseFloat(line);
}

} // namespace

void ImportClimateText(TProject &project, std::string bytes)
{
    if (!bytes.empty() && bytes.back() != '\n')
        bytes += "\r\n";
    for (int i = 0; i < kPadLines; ++i)
        bytes += "\r\n";
    TLineSource reader(std::move(bytes));
    TKlimat klimat = project.Klimat;
    TKlimatKoef koef = project.KlimatKoef;
    try {
        const bool current = reader.Next() == kVersionLine;
        if (current)
            reader.Next(); // the first ignored line; in the older layout the version line was
        klimat.TGsw = ReadReal(reader);
        klimat.Tgbw = ReadReal(reader);
        reader.Next();
        klimat.TMin = ReadReal(reader);
        klimat.TMax = ReadReal(reader);
        klimat.Tsrec = ReadReal(reader);
        klimat.Vwetsg = ReadReal(reader);
        klimat.VMax = ReadReal(reader);
        klimat.Tols = ReadReal(reader);
        for (int i = 0; i < 6; ++i)
            reader.Next();
        koef.LoadFromText(reader, current);
    } catch (const EConvertError &e) {
        throw EClimateFileError(e.what(), reader.LineNumber());
    }
    project.Klimat = klimat;
    project.KlimatKoef = koef;
}

void ImportClimateFile(TProject &project, const std::filesystem::path &path)
{
    ImportClimateText(project, ReadFileBytes(path, kMaxClimateFileBytes));
}

bool ImportClimate(TProject &project, const std::filesystem::path &path, TMessages &messages)
{
    try {
        ImportClimateFile(project, path);
        return true;
    } catch (const EClimateFileError &e) {
        messages.Tell(TMessageKind::Error,
                      path.filename().string() + (IsEnglish() ? ", line " : ", строка ")
                          + std::to_string(e.Line) + ": " + e.what());
    } catch (const std::exception &e) {
        messages.Tell(TMessageKind::Error, e.what());
    }
    return false;
}

} // namespace vartesk
