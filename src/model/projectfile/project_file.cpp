// Reading and writing the .vsk project file, line by line in a fixed order.
//
// The records whose lines map one-to-one onto fields are declared once as field tables
// walked by both the reader and the writer, so that the two cannot drift apart.
#include "model/projectfile/project_file.h"

#include "base/file_io.h"
#include "base/file_limits.h"
#include "base/message_quote.h"
#include "base/number_text.h"
#include "base/split_by_char.h"
#include "base/utf8.h"
#include "model/owning_list.h"
#include "model/project.h"
#include "model/projectfile/line_source.h"

#include <functional>
#include <limits>
#include <memory>
#include <vector>

namespace vartesk {

namespace {

constexpr const char *kVersionLine = "version 3.4";

// ---- value codes -------------------------------------------------------------------------

std::string Points(std::string text)
{
    for (char &c : text)
        if (c == ',')
            c = '.';
    return text;
}

double ReadReal(TLineSource &s)
{
    return ParseFloat(Points(s.Next()));
}

int ReadInt(TLineSource &s)
{
    return ParseInt(s.Next());
}

bool ReadFlag(TLineSource &s)
{
    return ParseBool(s.Next());
}

// A 16-bit field refuses what it cannot hold rather than wrapping around.
std::uint16_t ReadWord(TLineSource &s)
{
    const std::string line = s.Next();
    const std::int32_t v = ParseInt(line);
    if (v < 0 || v > std::numeric_limits<std::uint16_t>::max())
        throw EConvertError(QuoteForMessage(line) + " is not a valid integer value");
    return std::uint16_t(v);
}

// A text value is one line: a line break inside it (an imported cell may hold one) would
// shift every later line of the file, so it is written as a blank.
void WriteText(TTextWriter &w, const std::string &text)
{
    if (text.find_first_of("\r\n") == std::string::npos) {
        w.WriteLine(text);
        return;
    }
    std::string line = text;
    for (char &c : line)
        if (c == '\r' || c == '\n')
            c = ' ';
    w.WriteLine(line);
}

void WriteR23(TTextWriter &w, double x)
{
    w.WriteLine(FormatR23(x));
}

void WriteInt(TTextWriter &w, long x)
{
    w.WriteLine(std::to_string(x));
}

void WriteFlag(TTextWriter &w, bool x)
{
    w.WriteLine(x ? "-1" : "0");
}

void WriteFlagBT(TTextWriter &w, bool x)
{
    w.WriteLine(x ? "TRUE" : "FALSE");
}

void WritePair(TTextWriter &w, double stress, double tension)
{
    w.WriteLine(FormatGeneral(stress) + ";" + FormatGeneral(tension));
}

// A pair line: the stress, and the tension when a second part is there. Gives the mode the
// tension implies: 1 for a tension above 0, else 0.
int ReadPair(TLineSource &s, double &stress, double &tension)
{
    const auto parts = SplitByChar(Points(s.Next()), ';');
    stress = ParseFloat(parts.empty() ? std::string() : parts[0]);
    if (parts.size() < 2) {
        tension = 0;
        return 0;
    }
    tension = ParseFloat(parts[1]);
    return tension > 0 ? 1 : 0;
}

// ---- field tables ------------------------------------------------------------------------

template<class R>
struct TField
{
    std::function<void(const R &, TTextWriter &)> Write;
    std::function<void(R &, TLineSource &)> Read;
    bool OnlyWithCode = false; // support lines present only when Shifr is not "0"
};

template<class R, class M>
TField<R> Text(M R::*m, bool onlyWithCode = false)
{
    return {[m](const R &r, TTextWriter &w) { WriteText(w, r.*m); },
            [m](R &r, TLineSource &s) { r.*m = s.Next(); },
            onlyWithCode};
}

template<class R>
TField<R> Real(double R::*m, bool onlyWithCode = false)
{
    return {[m](const R &r, TTextWriter &w) { WriteR23(w, r.*m); },
            [m](R &r, TLineSource &s) { r.*m = ReadReal(s); },
            onlyWithCode};
}

template<class R>
TField<R> Int(int R::*m, bool onlyWithCode = false)
{
    return {[m](const R &r, TTextWriter &w) { WriteInt(w, r.*m); },
            [m](R &r, TLineSource &s) { r.*m = ReadInt(s); },
            onlyWithCode};
}

// A 16-bit number, or an enumeration stored as one.
template<class R, class W>
TField<R> Word(W R::*m, bool onlyWithCode = false)
{
    return {[m](const R &r, TTextWriter &w) { WriteInt(w, long(r.*m)); },
            [m](R &r, TLineSource &s) { r.*m = W(ReadWord(s)); },
            onlyWithCode};
}

template<class R>
TField<R> Flag(bool R::*m, bool onlyWithCode = false)
{
    return {[m](const R &r, TTextWriter &w) { WriteFlag(w, r.*m); },
            [m](R &r, TLineSource &s) { r.*m = ReadFlag(s); },
            onlyWithCode};
}

const std::vector<TField<TKlimat>> &KlimatLayout()
{
    static const std::vector<TField<TKlimat>> layout = {
        Real(&TKlimat::Tols),
        Real(&TKlimat::Tgbw),
        Real(&TKlimat::TGsw),
        Real(&TKlimat::TMax),
        Real(&TKlimat::TMin),
        Real(&TKlimat::Tsrec),
        Real(&TKlimat::Vwetsg),
        Real(&TKlimat::VMax),
    };
    return layout;
}

constexpr bool kWithCode = true;

const std::vector<TField<TPillar>> &PillarLayout()
{
    static const std::vector<TField<TPillar>> layout = {
        Text(&TPillar::Nomer),
        Text(&TPillar::Shifr),
        Real(&TPillar::Prolet),
        Text(&TPillar::Coment),
        Int(&TPillar::Picet1, kWithCode),
        Real(&TPillar::Picet2, kWithCode),
        Text(&TPillar::Ugol, kWithCode),
        Int(&TPillar::Ugol_grad, kWithCode),
        Int(&TPillar::Ugol_min, kWithCode),
        Int(&TPillar::Ugol_sec, kWithCode),
        Text(&TPillar::pv, kWithCode),
        Text(&TPillar::Insect, kWithCode),
        Flag(&TPillar::RezPic, kWithCode),
        Flag(&TPillar::Visir),
        Word(&TPillar::Ugol_napr, kWithCode),
        Word(&TPillar::Tip_Opor),
    };
    return layout;
}

// Lines 10..19 of a section record; the older layout stops after Ves_Gis.
const std::vector<TField<TParcel>> &ParcelTailLayout()
{
    static const std::vector<TField<TParcel>> layout = {
        Real(&TParcel::Dlina_Gis),
        Flag(&TParcel::IsGis),
        Real(&TParcel::Raznost_H),
        Flag(&TParcel::IsTros),
        Real(&TParcel::Ves_Gis),
        Int(&TParcel::Mt),
        Int(&TParcel::Mp),
        Int(&TParcel::Pt),
        Int(&TParcel::Pp),
        Flag(&TParcel::IsVitygka),
    };
    return layout;
}
constexpr size_t kOlderParcelTail = 5; // Dlina_Gis .. Ves_Gis

// Lines 4..14 of a per-section damper record.
// clang-format off
constexpr int TParcel::*kVMIntegers[] = {
    &TParcel::CntCircuitry, &TParcel::CntRopes, &TParcel::CntWires, &TParcel::MatProvod,
    &TParcel::MatTros, &TParcel::ModelVM_Provod, &TParcel::ModelVM_Tros, &TParcel::RngAC_P,
    &TParcel::RngAC_T, &TParcel::KindP, &TParcel::KindT,
};
// clang-format on

bool HasCodeLines(const TPillar &p)
{
    return p.Shifr.str() != "0";
}

// ---- what the file is --------------------------------------------------------------------

// The numbers of a version text such as "3.4"; nothing when it is not digits and points.
std::optional<std::vector<long>> VersionNumbers(std::string_view text)
{
    std::vector<long> numbers;
    size_t start = 0;
    for (;;) {
        const size_t end = std::min(text.find('.', start), text.size());
        const std::string_view part = text.substr(start, end - start);
        if (part.empty() || part.size() > 6 || part.find_first_not_of("0123456789") != part.npos)
            return std::nullopt;
        numbers.push_back(std::stol(std::string(part)));
        if (end == text.size())
            return numbers;
        start = end + 1;
    }
}

// A first line that names a version other than the one this reader knows stops the load
// with what it is, instead of failing to read it as the section count of the older layout.
void CheckVersionLine(const std::string &line, int lineNumber)
{
    constexpr std::string_view kWord = "version";
    if (line.size() < kWord.size() || Utf8Lower(line.substr(0, kWord.size())) != kWord)
        return;
    std::string_view rest = std::string_view(line).substr(kWord.size());
    if (!rest.empty() && rest.front() != ' ' && rest.front() != '\t')
        return;
    while (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t'))
        rest.remove_prefix(1);
    while (!rest.empty() && (rest.back() == ' ' || rest.back() == '\t'))
        rest.remove_suffix(1);
    const auto numbers = VersionNumbers(rest);
    if (numbers && *numbers > std::vector<long> {3, 4})
        throw EProjectFileError(
            "version " + std::string(rest) + " is newer than this program reads", lineNumber);
    throw EProjectFileError(QuoteForMessage(line) + " is not a version this program reads",
                            lineNumber);
}

// Letters U+0400..U+04FF are two bytes in UTF-8 that Windows-1251 reads as two other
// letters; a Windows-1251 text with Cyrillic is almost never valid UTF-8 as a whole.
bool LooksLikeUtf8Cyrillic(std::string_view bytes)
{
    bool cyrillic = false;
    TUtf8Cursor cursor(bytes);
    for (char32_t c; cursor.Next(c);) {
        if (c == kUtf8Invalid)
            return false;
        cyrillic = cyrillic || (c >= 0x0400 && c <= 0x04FF);
    }
    return cyrillic;
}

// Files written by an editor in a Unicode encoding: refused with what they are.
void CheckEncoding(std::string_view bytes)
{
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        throw EProjectFileError("written in UTF-8: projects are Windows-1251 text", 1);
    if (bytes.substr(0, 2) == "\xFF\xFE" || bytes.substr(0, 2) == "\xFE\xFF")
        throw EProjectFileError("written in UTF-16: projects are Windows-1251 text", 1);
}

} // namespace

// ---- line source -------------------------------------------------------------------------

std::string TLineSource::Next()
{
    return TryNext().value_or(std::string());
}

std::optional<std::string> TLineSource::TryNext()
{
    std::string line;
    if (!Reader.ReadLine(line))
        return std::nullopt;
    ++Line;
    return line;
}

// ---- records -----------------------------------------------------------------------------

void TPillar::SaveToText(TTextWriter &writer) const
{
    const bool withCode = HasCodeLines(*this);
    for (const auto &field : PillarLayout())
        if (withCode || !field.OnlyWithCode)
            field.Write(*this, writer);
}

void TPillar::LoadFromText(TLineSource &reader)
{
    // Whether the code lines follow is known once Shifr (the second line) is read.
    for (const auto &field : PillarLayout())
        if (!field.OnlyWithCode || HasCodeLines(*this))
            field.Read(*this, reader);
    const std::string &code = Shifr;
    if (code == "0" || code == kShifrAnchor || code == kShifrIntermediate) {
        if (Tip_Opor == TSupportType::Strain)
            Shifr = kShifrAnchor;
        else if (Tip_Opor == TSupportType::Intermediate)
            Shifr = kShifrIntermediate;
    }
}

void TParcel::SaveToText(TTextWriter &writer) const
{
    WriteText(writer, Name);
    WriteInt(writer, Pillars.Count());
    WriteFlag(writer, IsProvod);
    WriteText(writer, Provod);
    WritePair(writer, Napr_max, Tag_max);
    WritePair(writer, Napr_srg, Tag_srg);
    WriteText(writer, Tros);
    WritePair(writer, Naprt_max, Tagt_max);
    WritePair(writer, Naprt_srg, Tagt_srg);
    for (const auto &field : ParcelTailLayout())
        field.Write(*this, writer);
    for (const auto &pillar : Pillars)
        pillar->SaveToText(writer);
}

void TParcel::LoadFromText(TLineSource &reader, bool currentLayout)
{
    Name = reader.Next();
    const int count = ReadInt(reader);
    IsProvod = ReadFlag(reader);
    Provod = reader.Next();
    TagMode = ReadPair(reader, Napr_max, Tag_max);
    ReadPair(reader, Napr_srg, Tag_srg);
    Tros = reader.Next();
    TagModet = ReadPair(reader, Naprt_max, Tagt_max);
    ReadPair(reader, Naprt_srg, Tagt_srg);
    const auto &tail = ParcelTailLayout();
    const size_t lines = currentLayout ? tail.size() : kOlderParcelTail;
    for (size_t i = 0; i < lines; ++i)
        tail[i].Read(*this, reader);
    Pillars.Clear();
    for (int i = 0; i < count; ++i) {
        auto pillar = std::make_unique<TPillar>();
        pillar->LoadFromText(reader);
        Pillars.Add(std::move(pillar));
    }
}

void TParcel::SaveVMToText(TTextWriter &writer, int index) const
{
    WriteInt(writer, index);
    WriteFlagBT(writer, IsVMCalcProvod);
    WriteFlagBT(writer, IsVMCalcTros);
    for (auto member : kVMIntegers)
        WriteInt(writer, this->*member);
}

void TParcel::LoadVMFromText(TLineSource &reader)
{
    IsVMCalcProvod = ReadFlag(reader);
    IsVMCalcTros = ReadFlag(reader);
    for (auto member : kVMIntegers) {
        const std::string line = reader.Next();
        // Older files may hold anything in the two ratio lines: it reads as the first range.
        if (member == &TParcel::RngAC_P || member == &TParcel::RngAC_T)
            this->*member = TryParseInt(line).value_or(0);
        else
            this->*member = ParseInt(line);
    }
}

void TKlimatKoef::SaveToText(TTextWriter &writer) const
{
    for (double v : {V_Otv, V_Reg, V_Nad, G_Otv, G_Reg, G_Nad, G_Usl})
        writer.WriteLine(FormatGeneral(v));
    writer.WriteLine(std::to_string(visotaPC) + ";" + std::to_string(visotaPC_tros));
    WriteInt(writer, TypeTer);
}

void TKlimatKoef::LoadFromText(TLineSource &reader, bool currentLayout)
{
    for (double *v : {&V_Otv, &V_Reg, &V_Nad, &G_Otv, &G_Reg, &G_Nad, &G_Usl})
        *v = ReadReal(reader);
    if (!currentLayout) {
        visotaPC = 15;
        visotaPC_tros = 15;
        TypeTer = 1;
        return;
    }
    const std::string heights = reader.Next();
    const size_t cut = heights.find(';');
    const std::string first = heights.substr(0, cut);
    std::string second;
    if (cut != std::string::npos)
        for (char c : heights.substr(cut + 1))
            if (c != ';')
                second += c;
    visotaPC = first.empty() ? 15 : ParseInt(first);
    visotaPC_tros = second.empty() ? 15 : ParseInt(second);
    TypeTer = ReadInt(reader);
}

void TVM_Data::SaveToText(TTextWriter &writer) const
{
    WriteFlag(writer, IsVibroMuffles);
    WriteFlag(writer, IsNord);
    WriteInt(writer, NumbCat);
    WriteR23(writer, Tcold);
}

bool TVM_Data::LoadFromText(TLineSource &reader)
{
    auto line = reader.TryNext();
    if (!line || !TryParseBool(*line))
        return false;
    IsVibroMuffles = *TryParseBool(*line);
    if (!(line = reader.TryNext()) || !TryParseBool(*line))
        return false;
    IsNord = *TryParseBool(*line);
    if (!(line = reader.TryNext()) || !TryParseInt(*line))
        return false;
    NumbCat = *TryParseInt(*line);
    if (!(line = reader.TryNext()) || !TryParseFloat(Points(*line)))
        return false;
    Tcold = *TryParseFloat(Points(*line));
    return true;
}

void TProject::SaveToText(TTextWriter &writer)
{
    writer.WriteLine(kVersionLine);
    WriteInt(writer, Parcels.Count());
    for (const auto &field : KlimatLayout())
        field.Write(Klimat, writer);
    for (auto &parcel : Parcels) {
        parcel->ZeroUnselectedLimits();
        parcel->SaveToText(writer);
    }
    KlimatKoef.SaveToText(writer);
    if (!VMData.IsVibroMuffles)
        return;
    VMData.SaveToText(writer);
    for (int i = 0; i < Parcels.Count(); ++i)
        if (Parcels.Get(i).HasVMCalc())
            Parcels.Get(i).SaveVMToText(writer, i);
}

void TProject::LoadFromText(TLineSource &reader)
{
    Clear();
    std::string first = reader.Next();
    const bool current = first == kVersionLine;
    if (current)
        first = reader.Next();
    else
        CheckVersionLine(first, reader.LineNumber());
    const int count = ParseInt(first);
    for (const auto &field : KlimatLayout())
        field.Read(Klimat, reader);
    for (int i = 0; i < count; ++i) {
        auto parcel = std::make_unique<TParcel>();
        parcel->LoadFromText(reader, current);
        Parcels.Add(std::move(parcel));
    }
    KlimatKoef.LoadFromText(reader, current);
    if (!VMData.LoadFromText(reader))
        return;
    for (int i = 0; i < count; ++i) {
        const auto line = reader.TryNext();
        const auto index = line ? TryParseInt(*line) : std::nullopt;
        if (!index)
            return;
        if (*index < 0 || *index >= Parcels.Count())
            throw EListError(*index);
        Parcels.Get(*index).LoadVMFromText(reader);
    }
}

// ---- files -------------------------------------------------------------------------------

std::vector<std::string> LoadProjectFile(const std::filesystem::path &path, TProject &project)
{
    return LoadProjectBytes(ReadFileBytes(path, kMaxProjectFileBytes), project);
}

std::vector<std::string> LoadProjectBytes(std::string bytes, TProject &project)
{
    project.Clear();
    CheckEncoding(bytes);
    std::vector<std::string> warnings;
    if (LooksLikeUtf8Cyrillic(bytes))
        warnings.push_back("looks like UTF-8: projects are Windows-1251 text, so its Cyrillic "
                           "letters read wrongly");
    TLineSource reader(std::move(bytes));
    try {
        project.LoadFromText(reader);
    } catch (const EConvertError &e) {
        throw EProjectFileError(e.what(), reader.LineNumber());
    } catch (const EListError &e) {
        throw EProjectFileError(e.what(), reader.LineNumber());
    }
    return warnings;
}

std::string ProjectFileBytes(TProject &project)
{
    TTextWriter writer;
    project.SaveToText(writer);
    return writer.Bytes();
}

void SaveProjectFile(const std::filesystem::path &path, TProject &project, TWriteMode mode)
{
    WriteFileAtomic(path, ProjectFileBytes(project), mode);
}

} // namespace vartesk
