// The supports grid: its columns, what each shows of a support, and how a text typed into a
// cell or pasted from a spreadsheet is taken, by the support editor's rules.
#pragma once

#include "model/pillar.h"

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vartesk {

class TFormPillar;

// The columns, left to right.
enum class TSupportColumn {
    Number,
    Span,
    Attested,
    Type,
    Code,
    Angle,
    Picket,
    Crossing,
    Note,
};
inline constexpr int kSupportColumnCount = int(TSupportColumn::Note) + 1;

struct TSupportColumnRow
{
    TSupportColumn Id;
    const char *Caption; // string-table key of the header
    const char *Hint; // string-table key of the header's tip: the support editor's label
    // The cell as the grid shows it.
    std::string (*Show)(const TPillar &support);
    // What an edit of the cell starts from and what a copied row holds: a text that Take
    // gives back as it was.
    std::string (*Text)(const TPillar &support);
    // Puts the text into the editor's inputs as a person would: empty when they take it,
    // otherwise why not.
    std::string (*Take)(std::string_view text, TFormPillar &editor);
};

std::span<const TSupportColumnRow> SupportColumns();
// column: 0 .. kSupportColumnCount - 1.
const TSupportColumnRow &SupportColumn(int column);

// One row of the supports grid, as shown.
struct TSupportGridRow
{
    std::string Nomer;
    std::string Span; // "245 m"
    std::string Attested; // "V" or empty
    std::string Type; // the type's text
    std::string Code; // empty for the codes that only follow the type
    std::string Angle; // as the journal shows it
    std::string Picket; // "12+34.5", empty without a picket
    std::string Crossing;
    std::string Note;

    const std::string &Cell(int column) const;
    bool operator==(const TSupportGridRow &) const = default;
};

TSupportGridRow SupportGridRow(const TPillar &support);

// Takes the text into that field of the support as the support editor takes its input on OK:
// empty when taken; otherwise why not, and the support is as it was.
std::string TakeSupportCell(TPillar &support, int column, std::string_view text);

// The support that Add proposes after `before`: a copy of it with its number moved on by
// `step`; without one, a new support numbered "0".
std::unique_ptr<TPillar> ProposedSupport(const TPillar *before, int step);
// What the grid proposes for a row typed or pasted after `before`: Add's proposal without
// what belongs to one place of the route (attested span, angle, picket, crossing, note),
// which a copy would repeat unseen.
std::unique_ptr<TPillar> GridProposal(const TPillar *before, int step);

// Text of tab-separated cells as spreadsheets copy it: rows end with a line break (CR LF or
// LF) and a cell in double quotes may hold tabs, line breaks and doubled quotes.
std::vector<std::vector<std::string>> ReadTabText(std::string_view text);
// Rows first..last of the list in that form, the columns in the grid's order.
std::string SupportRowsText(const TPillarList &list, int first, int last);

} // namespace vartesk
