// The climate-file import: read aside, then take over.
#include "reports/climate_import.h"

#include "base/file_io.h"
#include "base/file_limits.h"
#include "base/number_text.h"
#include "base/text_format.h"
#include "l10n/string_table.h"
#include "model/project.h"
#include "model/projectfile/line_source.h"

#include <algorithm>
#include <string_view>

namespace vartesk {

namespace {

constexpr const char *kVersionLine = "version 3.4";

// The file has 26 lines at most; past its end every line reads as empty, which no number
// converts from.
constexpr int kPadLines = 32;

// The file's lines each ended by LF, whichever editor saved it: CR LF, LF and a lone CR all
// end a line, and a UTF-8 byte-order mark in front belongs to no line (read as Windows-1251
// it would make the version line another text, and every value the one of the line before).
std::string WithPlainLineEnds(std::string_view bytes)
{
    if (bytes.starts_with("\xEF\xBB\xBF"))
        bytes.remove_prefix(3);
    std::string text;
    text.reserve(bytes.size() + 1);
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r')
            text += bytes[i];
        else if (i + 1 == bytes.size() || bytes[i + 1] != '\n')
            text += '\n';
    }
    if (!text.empty() && text.back() != '\n')
        text += '\n';
    return text;
}

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
    std::string text = WithPlainLineEnds(bytes);
    const int lines = int(std::count(text.begin(), text.end(), '\n'));
    text.append(kPadLines, '\n');
    TLineSource reader(std::move(text));
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
        // A value expected past the end is missing at the line after the file's last.
        throw EClimateFileError(e.what(), std::min(reader.LineNumber(), lines + 1));
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
                      FormatText(LocalString("File_line"),
                                 {path.filename().string(), std::to_string(e.Line), e.what()}));
    } catch (const std::exception &e) {
        messages.Tell(TMessageKind::Error, e.what());
    }
    return false;
}

} // namespace vartesk
