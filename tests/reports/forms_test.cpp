// The shipped report templates: every cell the reports fill lies where they fill it, with the
// number format of its value and the caption that names it beside it; widths, page and texts as
// the reports and their readers expect. Also the refusals of the tool that builds them.
#include "test_support.h"
#include "xls/cell_ref.h"
#include "xls/columns.h"
#include "xls/xls_file.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace vartesk::xls;
namespace fs = std::filesystem;

namespace {

const fs::path kForms = VARTESK_BINARY_DIR "/bin/Forms";
const fs::path kTool = VARTESK_BINARY_DIR "/tools/vartesk_make_forms";

// What a filled cell holds, which decides its number format.
enum class TKind {
    Climate, // ice wall, wind velocity, temperature as entered
    Coef,
    Whole, // heights, rounded wind velocities
    Length, // m, and the catalog's mm and mm²
    Weight,
    Modulus,
    Expansion,
    Stress,
    Tension,
    Text,
    Section, // the section's name, with its caption in the format
};

struct TPlacement
{
    TCellRef Cell;
    TKind Kind;
};

// Temperature headings over the columns of one table: the first column's heading cell and the
// grid temperatures of the columns from there on.
struct THeadings
{
    TCellRef First;
    std::vector<const char *> Temperatures;
};

struct TLayout
{
    const char *Name;
    const char *SheetEn, *SheetRu;
    std::vector<TPlacement> Cells;
    std::vector<THeadings> Headings;
    std::vector<std::pair<const char *, double>> Widths; // "C:F", characters
    bool Notes = true;
};

void Add(std::vector<TPlacement> &cells, TCellRef first, TCellRef last, TKind kind)
{
    for (int r = first.Row; r <= last.Row; ++r)
        for (int c = first.Col; c <= last.Col; ++c)
            cells.push_back({{r, c}, kind});
}

// The header cells all four reports write, climate to catalog data.
std::vector<TPlacement> HeaderCells()
{
    std::vector<TPlacement> cells;
    Add(cells, "G4", "G11", TKind::Climate);
    Add(cells, "N4", "N6", TKind::Coef);
    Add(cells, "N8", "N11", TKind::Coef);
    cells.push_back({"T3", TKind::Text});
    cells.push_back({"T4", TKind::Whole});
    cells.push_back({"T8", TKind::Whole});
    cells.push_back({"B20", TKind::Section});
    for (const char *col : {"G", "N"}) {
        auto at = [&](int row) {
            return TCellRef::Parse(std::string(col) + std::to_string(row));
        };
        cells.push_back({at(14), TKind::Length}); // diameter
        cells.push_back({at(15), TKind::Length}); // area
        cells.push_back({at(16), TKind::Weight});
        cells.push_back({at(17), TKind::Modulus});
        cells.push_back({at(18), TKind::Expansion});
    }
    return cells;
}

// Rows 22 and 23: the stress and tension limits of the wire and of the cord.
void AddLimits(std::vector<TPlacement> &cells,
               TCellRef wireStress,
               TCellRef wireTension,
               TCellRef cordStress,
               TCellRef cordTension)
{
    for (int d = 0; d <= 1; ++d) {
        cells.push_back({wireStress.Down(d), TKind::Stress});
        cells.push_back({wireTension.Down(d), TKind::Tension});
        cells.push_back({cordStress.Down(d), TKind::Stress});
        cells.push_back({cordTension.Down(d), TKind::Tension});
    }
}

const std::vector<const char *> k30to40 {"−30", "−20", "−10", "0", "+10", "+20", "+30", "+40"};
const std::vector<const char *> k40to40 {
    "−40", "−30", "−20", "−10", "0", "+10", "+20", "+30", "+40"};
const std::vector<const char *> k30to30 {"−30", "−20", "−10", "0", "+10", "+20", "+30"};

const std::vector<TLayout> &Layouts()
{
    static const std::vector<TLayout> layouts = [] {
        std::vector<TLayout> all;
        {
            TLayout l {"FormMount", "Stringing", "Монтаж", HeaderCells(), {}, {}};
            AddLimits(l.Cells, "H22", "K22", "P22", "S22");
            for (TCellRef name :
                 {TCellRef("AA21"), TCellRef("E25"), TCellRef("M25"), TCellRef("AI21")})
                l.Cells.push_back({name, TKind::Text});
            l.Cells.push_back({"B27", TKind::Text});
            Add(l.Cells, "C27", "D27", TKind::Length);
            Add(l.Cells, "E27", "T27", TKind::Tension);
            l.Cells.push_back({"V23", TKind::Text});
            Add(l.Cells, "W23", "Y23", TKind::Length);
            l.Cells.push_back({"Z23", TKind::Text});
            Add(l.Cells, "AA23", "AP23", TKind::Length);
            l.Headings = {{"E26", k30to40}, {"M26", k30to40}, {"AA22", k30to40}, {"AI22", k30to40}};
            l.Widths = {{"A", 1.43},
                        {"B", 10.57},
                        {"C:F", 7},
                        {"G", 9.14},
                        {"H:M", 7},
                        {"N", 8.43},
                        {"O:U", 7},
                        {"V", 10.57},
                        {"W:AP", 7}};
            all.push_back(l);
        }
        {
            TLayout l {"FormMount1", "Stringing", "Монтаж", HeaderCells(), {}, {}};
            AddLimits(l.Cells, "H22", "K22", "Q22", "T22");
            for (TCellRef name :
                 {TCellRef("AC21"), TCellRef("E25"), TCellRef("N25"), TCellRef("AL21")})
                l.Cells.push_back({name, TKind::Text});
            l.Cells.push_back({"B27", TKind::Text});
            Add(l.Cells, "C27", "D27", TKind::Length);
            Add(l.Cells, "E27", "V27", TKind::Tension);
            l.Cells.push_back({"X23", TKind::Text});
            Add(l.Cells, "Y23", "AA23", TKind::Length);
            l.Cells.push_back({"AB23", TKind::Text});
            Add(l.Cells, "AC23", "AT23", TKind::Length);
            l.Headings = {{"E26", k40to40}, {"N26", k40to40}, {"AC22", k40to40}, {"AL22", k40to40}};
            l.Widths = {{"A", 1.43},
                        {"B", 10.57},
                        {"C:F", 7},
                        {"G", 9.14},
                        {"H:M", 7},
                        {"N", 8.43},
                        {"O:W", 7},
                        {"X", 10.57},
                        {"Y:AT", 7}};
            all.push_back(l);
        }
        const std::vector<std::pair<const char *, double>> compactWidths {
            {"A", 1.43}, {"B", 11.43}, {"C:K", 8}, {"L", 11.43}, {"M:U", 8}};
        {
            TLayout l {"FormMount2", "Stringing", "Монтаж", HeaderCells(), {}, compactWidths};
            AddLimits(l.Cells, "F22", "I22", "P22", "S22");
            l.Cells.push_back({"B21", TKind::Text});
            l.Cells.push_back({"L21", TKind::Text});
            l.Cells.push_back({"L20", TKind::Section});
            // The block of one strain section, rows 26..29, the wire's and the cord's half.
            for (const char *half : {"B", "L"}) {
                const TCellRef label = TCellRef::Parse(std::string(half) + "26");
                l.Cells.push_back({label, TKind::Text}); // anchor section
                Add(l.Cells, label.Right(1), label.Right(2), TKind::Length); // lr, S1
                Add(l.Cells, label.Down(1).Right(3), label.Down(1).Right(9), TKind::Tension);
                l.Cells.push_back({label.Down(3), TKind::Text}); // span
                l.Cells.push_back({label.Down(3).Right(2), TKind::Length}); // its length
                Add(l.Cells, label.Down(3).Right(3), label.Down(3).Right(9), TKind::Length);
            }
            l.Headings = {{"E25", k30to30}, {"O25", k30to30}};
            all.push_back(l);
        }
        {
            TLayout l {"FormLoads", "Loads", "Нагрузки", HeaderCells(), {}, compactWidths, false};
            AddLimits(l.Cells, "E22", "H22", "M22", "P22");
            l.Cells.push_back({"D25", TKind::Text});
            l.Cells.push_back({"G25", TKind::Text});
            Add(l.Cells, "D28", "I28", TKind::Climate); // temperature of the load case
            Add(l.Cells, "D29", "I29", TKind::Climate); // ice wall shown
            Add(l.Cells, "D30", "I30", TKind::Whole); // wind velocity shown, rounded
            l.Cells.push_back({"B31", TKind::Text});
            l.Cells.push_back({"C31", TKind::Length});
            Add(l.Cells, "D31", "I31", TKind::Tension);
            all.push_back(l);
        }
        for (TLayout &l : all)
            if (l.Notes)
                Add(l.Cells, "P9", "P14", TKind::Text);
        return all;
    }();
    return layouts;
}

struct TVariant
{
    bool Kn, Ru;
};
constexpr TVariant kVariants[] {{false, false}, {true, false}, {false, true}, {true, true}};

std::string FileName(const TLayout &l, TVariant v)
{
    return std::string(l.Name) + (v.Kn ? "N" : "") + (v.Ru ? "_ru" : "_en") + ".xls";
}

// Runs check on every one of the sixteen templates, opened with our engine.
void ForEachTemplate(const std::function<void(const TLayout &, TVariant, TSheet &)> &check)
{
    for (const TLayout &l : Layouts())
        for (TVariant v : kVariants) {
            const std::string name = FileName(l, v);
            SCOPED_TRACE(name);
            TXLSFile file;
            ASSERT_NO_THROW(file.OpenFile(kForms / name));
            ASSERT_EQ(file.Sheets().Count(), 1);
            check(l, v, file.Sheets().Item(0));
        }
}

std::string ExpectedFormat(TKind kind, TVariant v)
{
    switch (kind) {
    case TKind::Climate:
        return "0.0";
    case TKind::Coef:
        return "0.000";
    case TKind::Whole:
        return "0";
    case TKind::Length:
        return "0.00";
    case TKind::Weight:
        return "0.000";
    case TKind::Modulus:
        return v.Kn ? "0.0" : "0";
    case TKind::Expansion:
        return "0.00E+00";
    case TKind::Stress:
        return "0.0";
    case TKind::Tension:
        return v.Kn ? "0.00" : "0";
    case TKind::Text:
        return "@";
    case TKind::Section:
        return v.Ru ? "\"Участок: \"@" : "\"Section: \"@";
    }
    return {};
}

// A compact form's type names carry their caption in the format as well.
bool FormatFits(TKind kind, TVariant v, const std::string &format)
{
    if (kind == TKind::Text)
        return format == "@" || (format.ends_with("\"@") && format.front() == '"');
    return format == ExpectedFormat(kind, v);
}

const TRect *MergedAt(const TSheet &sheet, TCellRef at)
{
    for (const auto &r : sheet.Ranges().All())
        if (r->Merged() && r->Valid() && r->Rect().Contains(at.Row, at.Col))
            return &r->Rect();
    return nullptr;
}

// The text shown at a position: its own, or that of the merged area it lies in.
std::string Shown(TSheet &sheet, TCellRef at)
{
    if (const TRect *m = MergedAt(sheet, at))
        at = {m->Row1, m->Col1};
    return sheet.Cells().Item(at.Row, at.Col).Value().AsText();
}

struct TWords
{
    const char *En, *Ru;
};

std::string Word(TWords w, TVariant v)
{
    return v.Ru ? w.Ru : w.En;
}

std::string Force(TVariant v)
{
    return Word(v.Kn ? TWords {"kN", "кН"} : TWords {"daN", "даН"}, v);
}

std::string Stress(TVariant v)
{
    return Word(v.Kn ? TWords {"N/mm²", "Н/мм²"} : TWords {"daN/mm²", "даН/мм²"}, v);
}

// "C:F" or "B" as first and last 0-based column.
std::pair<int, int> Columns(const std::string &cols)
{
    const size_t colon = cols.find(':');
    const std::string last = colon == std::string::npos ? cols : cols.substr(colon + 1);
    return {TCellRef::Parse(cols.substr(0, colon) + "1").Col, TCellRef::Parse(last + "1").Col};
}

bool HasCyrillic(const std::string &utf8)
{
    for (unsigned char c : utf8)
        if (c == 0xD0 || c == 0xD1)
            return true;
    return false;
}

} // namespace

TEST(Forms, EachOfTheSixteenTemplatesHoldsOneModelSheetNamedInItsLanguage)
{
    ForEachTemplate([](const TLayout &l, TVariant v, TSheet &sheet) {
        EXPECT_EQ(sheet.Name(), v.Ru ? l.SheetRu : l.SheetEn);
    });
}

TEST(Forms, EveryCellTheReportsFillIsEmptyAndFormattedForItsValue)
{
    ForEachTemplate([](const TLayout &l, TVariant v, TSheet &sheet) {
        for (const TPlacement &p : l.Cells) {
            SCOPED_TRACE(p.Cell.Name());
            TCell cell = sheet.Cells().Item(p.Cell.Row, p.Cell.Col);
            EXPECT_TRUE(cell.Exists());
            EXPECT_TRUE(cell.Value().IsEmpty()) << cell.Value().AsText();
            EXPECT_TRUE(FormatFits(p.Kind, v, cell.NumberFormat())) << cell.NumberFormat();
            // A value written anywhere else in a merged area would be hidden.
            if (const TRect *m = MergedAt(sheet, p.Cell)) {
                EXPECT_EQ(TCellRef(m->Row1, m->Col1), p.Cell) << A1Address(*m);
            }
        }
    });
}

TEST(Forms, LinesTheWideTablesAddBelowTheTemplateTakeTheNumberFormatsOfTheirColumns)
{
    ForEachTemplate([](const TLayout &l, TVariant v, TSheet &sheet) {
        const std::string name = l.Name;
        if (name != "FormMount" && name != "FormMount1")
            return;
        for (const TPlacement &p : l.Cells) {
            // The first anchor-section line is row 27, the first span line row 23.
            if (p.Cell.Row != TCellRef("A27").Row && p.Cell.Row != TCellRef("A23").Row)
                continue;
            if (p.Kind != TKind::Text && p.Kind != TKind::Length && p.Kind != TKind::Tension)
                continue;
            const TCellRef below = p.Cell.Down(40);
            TCell cell = sheet.Cells().Item(below.Row, below.Col);
            cell.SetNumber(1);
            EXPECT_EQ(cell.NumberFormat(), ExpectedFormat(p.Kind, v)) << below.Name();
            // A column format with borders would frame the whole column.
            EXPECT_EQ(cell.BorderStyle(3), 0) << below.Name();
        }
    });
}

TEST(Forms, EachTensionAndSagColumnIsHeadedByItsGridTemperature)
{
    ForEachTemplate([](const TLayout &l, TVariant, TSheet &sheet) {
        for (const THeadings &h : l.Headings)
            for (size_t i = 0; i < h.Temperatures.size(); ++i) {
                const TCellRef at = h.First.Right(int(i));
                EXPECT_EQ(Shown(sheet, at), h.Temperatures[i]) << at.Name();
            }
    });
}

TEST(Forms, CaptionsBesideTheFilledCellsNameTheirQuantityAndUnit)
{
    ForEachTemplate([](const TLayout &l, TVariant v, TSheet &sheet) {
        const std::string name = l.Name;
        auto left = [&](TCellRef at) {
            return Shown(sheet, at.Right(-1));
        };
        auto expect = [&](const std::string &shown, const std::string &part, TCellRef at) {
            EXPECT_NE(shown.find(part), std::string::npos)
                << at.Name() << ": \"" << shown << "\" lacks \"" << part << "\"";
        };
        const std::string mm = Word({", mm", ", мм"}, v), ms = Word({"m/s", "м/с"}, v);
        expect(left("G4"), mm, "G4");
        expect(left("G5"), ms, "G5");
        expect(left("G6"), ms, "G6");
        for (TCellRef t :
             {TCellRef("G7"), TCellRef("G8"), TCellRef("G9"), TCellRef("G10"), TCellRef("G11")})
            expect(left(t), "°C", t);
        for (TCellRef c : {TCellRef("N4"),
                           TCellRef("N5"),
                           TCellRef("N6"),
                           TCellRef("N8"),
                           TCellRef("N9"),
                           TCellRef("N10"),
                           TCellRef("N11")})
            expect(left(c), Word({"oefficient", "оэффициент"}, v), c);
        expect(left("T3"), Word({"terrain", "местности"}, v), "T3");
        expect(left("T4"), Word({"wires, m", "проводов, м"}, v), "T4");
        expect(left("T8"), Word({"cords, m", "тросов, м"}, v), "T8");
        for (TCellRef d : {TCellRef("G14"), TCellRef("N14")})
            expect(left(d), Word({"Diameter, mm", "Диаметр, мм"}, v), d);
        for (TCellRef a : {TCellRef("G15"), TCellRef("N15")})
            expect(left(a), Word({"mm²", "мм²"}, v), a);
        for (TCellRef w : {TCellRef("G16"), TCellRef("N16")})
            expect(left(w), Word({"kg/m", "кг/м"}, v), w);
        for (TCellRef e : {TCellRef("G17"), TCellRef("N17")})
            expect(left(e),
                   Word(v.Kn ? TWords {"kN/mm²", "кН/мм²"} : TWords {"daN/mm²", "даН/мм²"}, v),
                   e);
        // The limits' headings in row 21, over their columns.
        for (const TPlacement &p : l.Cells) {
            if (p.Cell.Row != TCellRef("A22").Row)
                continue;
            if (p.Kind == TKind::Stress)
                expect(Shown(sheet, {TCellRef("A21").Row, p.Cell.Col}), Stress(v), p.Cell);
            if (p.Kind == TKind::Tension)
                expect(Shown(sheet, {TCellRef("A21").Row, p.Cell.Col}), Force(v), p.Cell);
        }
        if (name == "FormMount" || name == "FormMount1") {
            // The wire's and the cord's tension headings, over the type names.
            const TCellRef cordTensions = name == "FormMount" ? TCellRef("M24") : TCellRef("N24");
            for (TCellRef tension : {TCellRef("E24"), cordTensions})
                expect(Shown(sheet, tension), Force(v), tension);
            expect(Shown(sheet, "C24"), Word({"Section length, m", "Длина"}, v), "C24");
            expect(Shown(sheet, "D24"), Word({"Ruling span, m", "Привед. пролёт, м"}, v), "D24");
        }
        if (name == "FormMount2") {
            // Form 2 has lr before S1.
            expect(Shown(sheet, "C24"), Word({"Ruling span, m", "Привед. пролёт, м"}, v), "C24");
            expect(Shown(sheet, "D24"), Word({"Section length, m", "Длина"}, v), "D24");
            for (TCellRef t : {TCellRef("E26"), TCellRef("O26")})
                expect(Shown(sheet, t), Force(v), t);
        }
        if (name == "FormLoads") {
            expect(Shown(sheet, "B28"), "°C", "D28");
            expect(Shown(sheet, "B29"), mm, "D29");
            expect(Shown(sheet, "B30"), ms, "D30");
            for (TCellRef t : {TCellRef("D24"), TCellRef("G24")})
                expect(Shown(sheet, t), Force(v), t);
            for (int c = 0; c < 6; ++c) {
                const TCellRef at = TCellRef("D26").Right(c);
                const TWords cases[] {{"Ice with wind", "Гололёд с ветром"},
                                      {"Maximum wind", "Макс. ветер"},
                                      {"Minimum temp.", "Низшая темп."}};
                EXPECT_EQ(Shown(sheet, at), Word(cases[c % 3], v)) << at.Name();
            }
        }
    });
}

TEST(Forms, TextsAreInTheLanguageAndUnitSystemOfTheFile)
{
    ForEachTemplate([](const TLayout &, TVariant v, TSheet &sheet) {
        std::string all;
        const auto &rows = sheet.Cells().Rows;
        for (size_t r = 0; r < rows.size(); ++r)
            for (const auto &c : rows[r])
                if (c.Kind == TCellKind::Text)
                    all += sheet.Cells().Item(int(r), c.Col).Value().Text() + "\n";
        EXPECT_EQ(HasCyrillic(all), v.Ru);
        EXPECT_TRUE(HasCyrillic(Shown(sheet, "B1")) == v.Ru) << Shown(sheet, "B1");
        const char *other[] {"kN", "кН"};
        const char *mine[] {"daN", "даН"};
        for (const char *w : v.Kn ? mine : other)
            EXPECT_EQ(all.find(w), std::string::npos) << w;
        // In a daN file every N/mm² is part of daN/mm².
        for (std::string si : {"N/mm²", "Н/мм²"})
            for (size_t at = all.find(si); at != std::string::npos; at = all.find(si, at + 1)) {
                const bool daN = (at >= 2 && all.compare(at - 2, 2, "da") == 0)
                    || (at >= 4 && all.compare(at - 4, 4, "да") == 0);
                EXPECT_EQ(daN, !v.Kn) << all.substr(at >= 10 ? at - 10 : 0, 30);
            }
    });
}

TEST(Forms, ColumnWidthsAreThoseTheReportsSet)
{
    ForEachTemplate([](const TLayout &l, TVariant, TSheet &sheet) {
        for (const auto &[cols, width] : l.Widths) {
            const auto [first, last] = Columns(cols);
            for (int c = first; c <= last; ++c) {
                const auto it = sheet.Columns().Items.find(std::uint16_t(c));
                ASSERT_NE(it, sheet.Columns().Items.end()) << ColumnLetters(c);
                EXPECT_EQ(it->second.Width, WidthToUnits(width)) << ColumnLetters(c);
            }
        }
    });
}

TEST(Forms, ThePageIsLandscapeOnePageWideWithTheSheetNameAndPageNumberInTheFooter)
{
    ForEachTemplate([](const TLayout &, TVariant v, TSheet &sheet) {
        const TPageSetup &ps = sheet.PageSetup;
        // Paper and orientation count only when "no printer settings" is clear.
        EXPECT_EQ(ps.Options & (TPageSetup::kPortrait | 0x0004), 0);
        EXPECT_TRUE(ps.WsBool & TPageSetup::kFitToPage);
        EXPECT_EQ(ps.FitWidth, 1);
        EXPECT_EQ(ps.FitHeight, 0);
        const std::string footer = ps.Footer.Text();
        EXPECT_NE(footer.find("&A"), std::string::npos) << footer;
        EXPECT_NE(footer.find(v.Ru ? "Страница &P из &N" : "Page &P of &N"), std::string::npos)
            << footer;
        EXPECT_GT(ps.LeftMargin, 0.2);
        EXPECT_LT(ps.LeftMargin, 1.0);
        EXPECT_FALSE(sheet.View.Options & TSheetView::kShowGrid);
    });
}

// The compact table's block (rows 26..29) is copied below itself and its span line (row 29)
// down, the loads line (row 31) into the next row: a merged area across their edges would be
// torn by the copies, and a cell missing from them would leave a gap in the copied frames.
TEST(Forms, BlocksTheReportsCopyAreWholeAndHoldTheirMergedAreas)
{
    ForEachTemplate([](const TLayout &l, TVariant, TSheet &sheet) {
        const std::string name = l.Name;
        TRect block;
        std::vector<TRect> lines;
        if (name == "FormMount2") {
            block = *ParseA1Range("B26:U29");
            lines = {*ParseA1Range("B29:U29")};
        } else if (name == "FormLoads") {
            block = *ParseA1Range("B31:I31");
            lines = {block};
        } else {
            return;
        }
        for (int r = block.Row1; r <= block.Row2; ++r)
            for (int c = block.Col1; c <= block.Col2; ++c)
                EXPECT_TRUE(sheet.Cells().Item(r, c).Exists()) << TCellRef(r, c).Name();
        for (const TRect &m : sheet.Ranges().MergedAreas()) {
            for (const TRect &area : lines) {
                const bool meets = m.Row1 <= area.Row2 && area.Row1 <= m.Row2 && m.Col1 <= area.Col2
                    && area.Col1 <= m.Col2;
                if (meets) {
                    EXPECT_TRUE(m.Row1 >= area.Row1 && m.Row2 <= area.Row2) << A1Address(m);
                }
            }
            const bool inBlockRows = m.Row1 <= block.Row2 && block.Row1 <= m.Row2;
            if (inBlockRows && m.Col1 <= block.Col2 && block.Col1 <= m.Col2) {
                EXPECT_TRUE(m.Row1 >= block.Row1 && m.Row2 <= block.Row2) << A1Address(m);
            }
        }
        if (name == "FormMount2") {
            // The span lines' labels span two columns, as the calculation skips C and M.
            for (const char *span : {"B29:C29", "L29:M29"}) {
                const TRect want = *ParseA1Range(span);
                const auto merged = sheet.Ranges().MergedAreas();
                EXPECT_NE(std::find(merged.begin(), merged.end(), want), merged.end()) << span;
            }
        }
    });
}

namespace {

// Runs the template tool on a source written into dir; gives its exit code and output.
int MakeForms(const vartesk::test::TScratchDir &dir, const std::string &source, std::string &out)
{
    vartesk::test::WriteAll(dir / "Mini.form", source);
    return vartesk::test::RunCommand("'" + kTool.string() + "' '" + (dir / "Mini.form").string()
                                         + "' '" + (dir / "out").string() + "'",
                                     out);
}

} // namespace

TEST(MakeForms, WritesTheFourVariantsWithTheWordsOfTheirLanguageAndUnits)
{
    vartesk::test::TScratchDir dir;
    std::string out;
    ASSERT_EQ(MakeForms(dir,
                        "sheet \"Tab\" | 'Таб'  # comment\n"
                        "units force \"daN\" | \"даН\"   \"kN\" | \"кН\"\n"
                        "units fmt \"0\" \"0.00\"\n"
                        "style bolder bold size 12\n"
                        "text B2:C2 bolder \"Tension, {force}\" | \"Тяжение, {force}\"\n"
                        "field D2 format \"{fmt}\" box medium\n"
                        "texts B3:C3 \"a\\\"b\" \"two\\nlines\"\n",
                        out),
              0)
        << out;
    struct TCase
    {
        const char *File, *Sheet, *Caption, *Format;
    };
    for (const TCase &c : {TCase {"Mini_en.xls", "Tab", "Tension, daN", "0"},
                           TCase {"MiniN_en.xls", "Tab", "Tension, kN", "0.00"},
                           TCase {"Mini_ru.xls", "Таб", "Тяжение, даН", "0"},
                           TCase {"MiniN_ru.xls", "Таб", "Тяжение, кН", "0.00"}}) {
        SCOPED_TRACE(c.File);
        TXLSFile file;
        ASSERT_NO_THROW(file.OpenFile(dir / "out" / c.File));
        TSheet &sheet = file.Sheets().Item(0);
        EXPECT_EQ(sheet.Name(), c.Sheet);
        EXPECT_EQ(sheet.Cells().Item(1, 1).Value().AsText(), c.Caption);
        EXPECT_TRUE(sheet.Cells().Item(1, 1).Font().Weight == 700);
        EXPECT_EQ(sheet.Ranges().MergedAreas(), std::vector<TRect> {*ParseA1Range("B2:C2")});
        TCell field = sheet.Cells().Item(1, 3);
        EXPECT_TRUE(field.Exists() && field.Value().IsEmpty());
        EXPECT_EQ(field.NumberFormat(), c.Format);
        EXPECT_EQ(field.BorderStyle(0), 2);
        EXPECT_EQ(sheet.Cells().Item(2, 1).Value().AsText(), "a\"b");
        EXPECT_EQ(sheet.Cells().Item(2, 2).Value().AsText(), "two\nlines");
    }
}

TEST(MakeForms, RefusesWhatWouldSpoilATemplateNamingTheLine)
{
    struct TCase
    {
        const char *Source, *Message;
    };
    const TCase cases[] {
        {"text B2 \"a\"\ntext B2 \"b\"\n", ":3: B2 is already a caption"},
        {"field B2\ntext A2:C2 \"x\"\n", ":3: B2 is already a cell the program fills"},
        {"text B2:C3 \"x\"\nfield C3:D3\n", ":3: C3:D3 overlaps the merged B2:C3"},
        {"text B2 \"{tonnes}\"\n", ":2: unknown unit {tonnes}"},
        {"texts B2:D2 \"a\" \"b\"\n", ":2: texts takes one text per cell of a one-row range (3"},
        {"column B:C box thin\n", ":2: a column format takes no borders"},
        {"text B2 heavy \"x\"\n", ":2: unknown attribute or style \"heavy\""},
        {"field B2 \"x\"\n", ":2: a cell the program fills takes no text"},
        {"text B2 \"x\n", ":2: a string without its closing quote"},
        {"text B0 \"x\"\n", ":2: \"B0\" is not a cell or a range"},
        {"style bold italic\n", ":2: style bold is already defined or an attribute"},
        {"frame B2:C3 thick\n", ":2: a line is thin or medium"},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.Source);
        vartesk::test::TScratchDir dir;
        std::string out;
        EXPECT_EQ(MakeForms(dir, std::string("sheet \"S\"\n") + c.Source, out), 1);
        EXPECT_NE(out.find(c.Message), std::string::npos) << out;
        EXPECT_FALSE(fs::exists(dir / "out" / "Mini_en.xls"));
    }
    vartesk::test::TScratchDir dir;
    std::string out;
    EXPECT_EQ(MakeForms(dir, "text B2 \"x\"\n", out), 1);
    EXPECT_NE(out.find("the source names no sheet"), std::string::npos) << out;
}

TEST(FormsXlrd, AnIndependentReaderOpensAllSixteenAndFindsTheFilledCellsFormatted)
{
    if (!fs::exists("/usr/bin/python3"))
        GTEST_SKIP() << "/usr/bin/python3 is not installed";
    std::string out;
    const int code = vartesk::test::RunCommand(
        "/usr/bin/python3 " VARTESK_TEST_DATA "/forms_check.py '" + kForms.string() + "'", out);
    if (code == 77)
        GTEST_SKIP() << "python3-xlrd is not installed";
    EXPECT_EQ(code, 0) << out;
}
