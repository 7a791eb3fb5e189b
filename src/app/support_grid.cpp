// The supports grid's columns and the rules for texts typed or pasted into them.
#include "app/support_grid.h"

#include "app/editors/number_input.h"
#include "app/editors/support_editor.h"
#include "base/cp1251.h"
#include "base/number_text.h"
#include "base/text_format.h"
#include "base/utf8.h"
#include "l10n/string_table.h"
#include "model/angle_text.h"
#include "model/support_number.h"
#include "model/support_type_name.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstdio>

namespace vartesk {

namespace {

std::string_view Trimmed(std::string_view text)
{
    const size_t begin = text.find_first_not_of(' ');
    if (begin == std::string_view::npos)
        return {};
    return text.substr(begin, text.find_last_not_of(' ') - begin + 1);
}

// A character in a message: itself, or its code when it has no shape of its own.
std::string CharacterShown(char32_t c, std::string_view bytes)
{
    if (c >= 0x20 && c != 0x7F && c != kUtf8Invalid)
        return std::string(bytes);
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", unsigned(c == kUtf8Invalid ? 0xFFFD : c));
    return code;
}

// A text input: only what a project file stores on one line, at most `capacity` characters,
// refused rather than cut.
std::string TakeText(std::string_view text, size_t capacity, std::string &input)
{
    TUtf8Cursor cursor(text);
    size_t from = 0;
    for (char32_t c = 0; cursor.Next(c); from = cursor.Position()) {
        const std::string_view bytes = text.substr(from, cursor.Position() - from);
        if (c < 0x20 || c == 0x7F || !FitsCp1251(bytes))
            return FormatText(LocalString("Text_char_refused"), {CharacterShown(c, bytes)});
    }
    if (Utf8Length(text) > capacity)
        return FormatText(LocalString("Text_too_long"), {std::to_string(capacity)});
    input = text;
    return {};
}

// The verdict of a number rule as a reason: empty for a number the rule takes.
std::string NumberRefused(const TNumberCheck &check, const char *formKey)
{
    if (check.Verdict == TNumberVerdict::Number)
        return {};
    return check.Hint.empty() ? LocalString(formKey) : check.Hint;
}

// A typed word that begins the name, in any letter case.
bool Abbreviates(const std::string &typed, std::string_view name)
{
    return !typed.empty() && Utf8Lower(name).starts_with(typed);
}

std::string PicketText(const TPillar &p)
{
    if (!p.RezPic)
        return {};
    return std::to_string(p.Picet1) + (p.Picet2 < 0 ? "-" : "+")
        + FormatGeneral(std::fabs(p.Picet2));
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

size_t DigitsFrom(std::string_view text, size_t at)
{
    while (at < text.size() && IsDigit(text[at]))
        ++at;
    return at;
}

// ---- what each column takes ----

std::string TakeNumber(std::string_view text, TFormPillar &e)
{
    return TakeText(text, decltype(TPillar::Nomer)::Capacity, e.Nomer);
}

std::string TakeSpan(std::string_view text, TFormPillar &e)
{
    const std::string why
        = NumberRefused(CheckNumberText(text, TFormPillar::kSpanRule), "Number_form_real");
    if (why.empty())
        e.Prolet = std::string(text);
    return why;
}

std::string TakeAttested(std::string_view text, TFormPillar &e)
{
    const std::string t = Utf8Lower(Trimmed(text));
    if (t.empty() || t == "0" || t == "-")
        e.Visir = false;
    else if (t == "v" || t == "1" || t == "+" || t == "x" || t == "в")
        e.Visir = true;
    else
        return LocalString("Attested_cell_refused");
    return {};
}

std::string TakeType(std::string_view text, TFormPillar &e)
{
    // The name in the language shown or its first letters; the codes that stand for the
    // types ("Анк.", "Пром.") and the numbers of the project file in either language.
    const std::string t = Utf8Lower(Trimmed(text));
    if (t == "0" || Abbreviates(t, SupportTypeName(TSupportType::Strain))
        || Abbreviates(t, kShifrAnchor))
        e.Tip_Opor = TSupportType::Strain;
    else if (t == "1" || Abbreviates(t, SupportTypeName(TSupportType::Intermediate))
             || Abbreviates(t, kShifrIntermediate))
        e.Tip_Opor = TSupportType::Intermediate;
    else
        return FormatText(
            LocalString("Type_cell_refused"),
            {SupportTypeName(TSupportType::Strain), SupportTypeName(TSupportType::Intermediate)});
    return {};
}

std::string TakeCode(std::string_view text, TFormPillar &e)
{
    return TakeText(text, decltype(TPillar::Shifr)::Capacity, e.Shifr);
}

// "Ang.7;+12°30'15"" as the journal writes it, "Уг.7", or the angle alone; the degrees,
// minutes and seconds may be parted by blanks or colons instead of their signs. Without a
// sign the direction stays as it was.
std::string TakeAngle(std::string_view text, TFormPillar &e)
{
    std::string_view rest = Trimmed(text);
    std::string_view number;
    bool numbered = false;
    const std::string lower = Utf8Lower(rest);
    for (const std::string &prefix : {LocalString("Ang"), std::string("Уг.")}) {
        if (!prefix.empty() && lower.starts_with(Utf8Lower(prefix))) {
            rest = rest.substr(prefix.size());
            numbered = true;
            break;
        }
    }
    const size_t semicolon = rest.find(';');
    if (numbered || semicolon != std::string_view::npos) {
        number = Trimmed(rest.substr(0, semicolon));
        rest
            = semicolon == std::string_view::npos ? std::string_view() : rest.substr(semicolon + 1);
    }
    rest = Trimmed(rest);
    std::uint16_t direction = e.Ugol_napr;
    if (!rest.empty() && (rest[0] == '+' || rest[0] == '-')) {
        direction = rest[0] == '+' ? 0 : 1;
        rest.remove_prefix(1);
    }
    std::array<int, 3> parts {};
    size_t count = 0;
    for (size_t i = 0; i < rest.size();) {
        if (IsDigit(rest[i])) {
            const size_t end = DigitsFrom(rest, i);
            const TNumberCheck check
                = CheckNumberText(rest.substr(i, end - i), TFormPillar::kWholeRule);
            if (count == parts.size())
                return LocalString("Angle_cell_refused");
            if (check.Verdict != TNumberVerdict::Number)
                return check.Hint;
            parts[count++] = int(check.Value);
            i = end;
        } else if (rest.substr(i).starts_with("°")) {
            i += std::string_view("°").size();
        } else if (rest[i] == ' ' || rest[i] == ':' || rest[i] == '\'' || rest[i] == '"') {
            ++i;
        } else {
            return LocalString("Angle_cell_refused");
        }
    }
    std::string ugol;
    if (std::string why = TakeText(number, decltype(TPillar::Ugol)::Capacity, ugol); !why.empty())
        return why;
    e.Ugol = ugol;
    e.Ugol_napr = direction;
    e.Ugol_grad = parts[0];
    e.Ugol_min = parts[1];
    e.Ugol_sec = parts[2];
    return {};
}

// "12+34.5": the hundreds, then the metres after "+" (or "-" for metres back); the hundreds
// alone are a whole hundred. An empty cell clears the picket box and keeps its values.
std::string TakePicket(std::string_view text, TFormPillar &e)
{
    const std::string_view t = Trimmed(text);
    if (t.empty()) {
        e.RezPic = false;
        return {};
    }
    const size_t end = DigitsFrom(t, 0);
    if (end == 0 || (end < t.size() && t[end] != '+' && t[end] != '-'))
        return LocalString("Picket_cell_refused");
    const TNumberCheck hundreds = CheckNumberText(t.substr(0, end), TFormPillar::kWholeRule);
    if (hundreds.Verdict != TNumberVerdict::Number)
        return hundreds.Hint;
    double metres = 0;
    if (end < t.size()) {
        const TNumberCheck m = CheckNumberText(t.substr(end + 1), TFormPillar::kPicet2Rule);
        if (std::string why = NumberRefused(m, "Picket_cell_refused"); !why.empty())
            return why;
        metres = t[end] == '-' ? -m.Value : m.Value;
    }
    e.RezPic = true;
    e.Picet1 = int(hundreds.Value);
    e.Picet2 = metres;
    return {};
}

std::string TakeCrossing(std::string_view text, TFormPillar &e)
{
    return TakeText(text, decltype(TPillar::Insect)::Capacity, e.Insect);
}

std::string TakeNote(std::string_view text, TFormPillar &e)
{
    return TakeText(text, decltype(TPillar::Coment)::Capacity, e.Coment);
}

using P = const TPillar &;

constexpr TSupportColumnRow kColumns[] = {
    // clang-format off
    {TSupportColumn::Number,   "Grid_number",   "Number_support",
     [](P p) { return p.Nomer.str(); },            [](P p) { return p.Nomer.str(); },          TakeNumber},
    {TSupportColumn::Span,     "Grid_span",     "Span_length",
     [](P p) { return FormatGeneral(p.Prolet) + " " + LocalString("meter"); },
                                                   [](P p) { return FormatGeneral(p.Prolet); }, TakeSpan},
    {TSupportColumn::Attested, "Grid_attested", "Attested_span",
     [](P p) { return std::string(p.Visir ? "V" : ""); },
                                                   [](P p) { return std::string(p.Visir ? "V" : ""); },
                                                                                                TakeAttested},
    {TSupportColumn::Type,     "Grid_type",     "Type_support",
     [](P p) { return SupportTypeName(p.Tip_Opor); },     [](P p) { return SupportTypeName(p.Tip_Opor); },    TakeType},
    {TSupportColumn::Code,     "Grid_code",     "Code_support",
     [](P p) { return TFormPillar::CodeShown(p.Shifr); },
                                                   [](P p) { return TFormPillar::CodeShown(p.Shifr); },
                                                                                                TakeCode},
    {TSupportColumn::Angle,    "Grid_angle",    "Turning_angle",
     [](P p) { return AngleText(p); },             [](P p) { return AngleText(p); },            TakeAngle},
    {TSupportColumn::Picket,   "Picket",        "Initial_picket",
     PicketText,                                   PicketText,                                  TakePicket},
    {TSupportColumn::Crossing, "Grid_crossing", "Number_crossing",
     [](P p) { return p.Insect.str(); },           [](P p) { return p.Insect.str(); },          TakeCrossing},
    {TSupportColumn::Note,     "Note",          "Note",
     [](P p) { return p.Coment.str(); },           [](P p) { return p.Coment.str(); },          TakeNote},
    // clang-format on
};

constexpr bool ColumnsInIdOrder()
{
    if (std::size(kColumns) != size_t(kSupportColumnCount))
        return false;
    for (size_t i = 0; i < std::size(kColumns); ++i)
        if (kColumns[i].Id != TSupportColumn(i))
            return false;
    return true;
}
static_assert(ColumnsInIdOrder(), "one column row per column, in the ids' order");

// A cell as spreadsheets read it back: quoted when it holds what parts cells or rows.
std::string TabCell(const std::string &text)
{
    if (text.find_first_of("\t\r\n\"") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char c : text) {
        quoted += c;
        if (c == '"')
            quoted += c;
    }
    return quoted + "\"";
}

} // namespace

std::span<const TSupportColumnRow> SupportColumns()
{
    return kColumns;
}

const TSupportColumnRow &SupportColumn(int column)
{
    return kColumns[size_t(column)];
}

const std::string &TSupportGridRow::Cell(int column) const
{
    const std::array<const std::string *, kSupportColumnCount> cells
        = {&Nomer, &Span, &Attested, &Type, &Code, &Angle, &Picket, &Crossing, &Note};
    return *cells[size_t(std::clamp(column, 0, kSupportColumnCount - 1))];
}

TSupportGridRow SupportGridRow(const TPillar &p)
{
    std::array<std::string, kSupportColumnCount> c;
    for (size_t i = 0; i < c.size(); ++i)
        c[i] = kColumns[i].Show(p);
    return {c[0], c[1], c[2], c[3], c[4], c[5], c[6], c[7], c[8]};
}

std::string TakeSupportCell(TPillar &support, int column, std::string_view text)
{
    TFormPillar editor;
    editor.LoadPillar(support);
    if (std::string why = SupportColumn(column).Take(text, editor); !why.empty())
        return why;
    if (std::string why = editor.Error(); !why.empty())
        return why;
    editor.StorePillar(support);
    return {};
}

std::unique_ptr<TPillar> ProposedSupport(const TPillar *before, int step)
{
    auto support = std::make_unique<TPillar>();
    if (!before) {
        support->Nomer = "0";
        return support;
    }
    support->Assign(*before);
    const TSupportNumber n = SplitNumber(before->Nomer.str());
    // A number at the end of int's range stays there rather than wrapping round.
    const long long next = std::clamp(static_cast<long long>(n.Number) + step,
                                      static_cast<long long>(INT_MIN),
                                      static_cast<long long>(INT_MAX));
    SetNumber(*support, int(next), n.Prefix, n.Suffix);
    return support;
}

std::unique_ptr<TPillar> GridProposal(const TPillar *before, int step)
{
    auto support = ProposedSupport(before, step);
    support->Visir = false;
    support->Ugol = "";
    support->Ugol_napr = 0;
    support->Ugol_grad = support->Ugol_min = support->Ugol_sec = 0;
    support->RezPic = false;
    support->Picet1 = 0;
    support->Picet2 = 0;
    support->Insect = "";
    support->Coment = "";
    // As the support editor would store it: a code that follows the type is set.
    TFormPillar editor;
    editor.LoadPillar(*support);
    editor.StorePillar(*support);
    return support;
}

std::vector<std::vector<std::string>> ReadTabText(std::string_view text)
{
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> row;
    std::string cell;
    bool fresh = true; // nothing of the cell read yet
    bool open = false; // a row has begun
    const auto endCell = [&] {
        row.push_back(std::move(cell));
        cell.clear();
        fresh = true;
    };
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"' && fresh) {
            for (++i; i < text.size(); ++i) {
                if (text[i] != '"')
                    cell += text[i];
                else if (i + 1 < text.size() && text[i + 1] == '"')
                    cell += text[++i];
                else
                    break;
            }
            fresh = false;
            open = true;
        } else if (c == '\t') {
            endCell();
            open = true;
        } else if (c == '\n' || (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) {
            i += c == '\r' ? 1 : 0;
            endCell();
            rows.push_back(std::move(row));
            row.clear();
            open = false;
        } else {
            cell += c;
            fresh = false;
            open = true;
        }
    }
    if (open) {
        endCell();
        rows.push_back(std::move(row));
    }
    return rows;
}

std::string SupportRowsText(const TPillarList &list, int first, int last)
{
    std::string text;
    for (int i = std::max(first, 0); i <= last && i < list.Count(); ++i) {
        for (int column = 0; column < kSupportColumnCount; ++column)
            text += (column > 0 ? "\t" : "") + TabCell(kColumns[size_t(column)].Text(list.Get(i)));
        text += "\n";
    }
    return text;
}

} // namespace vartesk
