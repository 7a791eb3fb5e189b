// Build tool: makes the template workbooks of one layout source in forms/ (English and
// Russian, daN and kN, or fewer as the source says) through the program's own spreadsheet
// engine.
//
// The source format is described in forms/README.md. The tool is stricter than building needs:
// a cell given two captions, a caption over a cell the program fills, merged areas that
// overlap, an unknown style, unit or attribute all stop it with the source line, because each
// would otherwise spoil a template without a sound.
#include "base/file_io.h"
#include "base/utf8.h"
#include "xls/ranges.h"
#include "xls/xls_file.h"

#include <charconv>
#include <iostream>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <vector>

using namespace vartesk;
using namespace vartesk::xls;
namespace fs = std::filesystem;

namespace {

constexpr std::uintmax_t kMaxSourceBytes = 1 << 20;
constexpr int kMaxIncludeDepth = 8;
constexpr double kMmPerInch = 25.4;
// Colour 1 is the first palette entry, black: the colour the program boxes its cells in.
constexpr int kBlack = 1;
constexpr int kThin = 1, kMedium = 2;
// Sides as the workbook interface numbers them.
constexpr int kLeft = 0, kRight = 1, kTop = 2, kBottom = 3;
// SETUP option bits: printer settings present, orientation given.
constexpr std::uint16_t kNoPrinterSettings = 0x0004;
constexpr std::uint16_t kA4 = 9, kA3 = 8;

class ESourceError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

struct TWhere
{
    std::string File;
    int Line = 0;
    std::string Text() const { return File + ":" + std::to_string(Line); }
};

[[noreturn]] void Fail(const TWhere &where, const std::string &what)
{
    throw ESourceError(where.Text() + ": " + what);
}

// A text in both languages; given once, it serves both.
struct TText
{
    std::string En, Ru;
};

struct TSourceText
{
    TText Text;
    TWhere Where;
};

// Which files a layout makes: the four of a report with unit variants, the two of a report
// without them, or one workbook for every language.
enum class TFiles { UnitsAndLanguages, Languages, One };

// One of the files of a layout.
struct TVariant
{
    bool Kn = false;
    bool Ru = false;
    bool Single = false; // the one file of a TFiles::One layout: no suffix
    std::string Suffix() const
    {
        return Single ? std::string() : std::string(Kn ? "N" : "") + (Ru ? "_ru" : "_en");
    }
};

struct TAttrs
{
    std::optional<double> Size;
    std::optional<bool> Bold, Italic, Wrap;
    std::optional<THAlign> HAlign;
    std::optional<TVAlign> VAlign;
    std::optional<int> Indent;
    std::optional<int> Box;
    std::optional<TText> Format;

    void Add(const TAttrs &later)
    {
        auto take = [](auto &mine, const auto &theirs) {
            if (theirs)
                mine = theirs;
        };
        take(Size, later.Size);
        take(Bold, later.Bold);
        take(Italic, later.Italic);
        take(Wrap, later.Wrap);
        take(HAlign, later.HAlign);
        take(VAlign, later.VAlign);
        take(Indent, later.Indent);
        take(Box, later.Box);
        take(Format, later.Format);
    }
};

enum class TOp { Text, Texts, Values, Field, Fields, Frame, Column };

// One cell of a `values` statement: a number, a text, or nothing (formatted, left empty).
struct TValue
{
    std::optional<double> Number;
    std::optional<TText> Text;
};

// A statement that touches cells or columns, kept in source order.
struct TCellStatement
{
    TOp Op = TOp::Text;
    TWhere Where;
    TRect Area;
    TAttrs Attrs;
    std::vector<TText> Texts;
    std::vector<TValue> Values;
    int Line = kThin;
    unsigned Sides = 0xF; // bit per side, in the workbook interface's numbering
};

struct TPageSettings
{
    std::uint16_t Paper = kA4;
    bool Landscape = true;
    bool FitWidth = false;
    bool Center = false;
    double Margins[4] = {10, 10, 15, 15}; // left, right, top, bottom, mm
    double HeaderMargin = 8, FooterMargin = 8;
    std::optional<std::pair<int, int>> RepeatRows; // printed at the top of every page
};

struct TLayout
{
    TFiles Files = TFiles::UnitsAndLanguages;
    std::optional<TWhere> FilesWhere;
    std::optional<TSourceText> SheetName;
    std::map<std::string, std::pair<TText, TText>> Units; // daN, kN
    std::map<std::string, TAttrs> Styles;
    std::map<int, double> Widths;
    std::map<int, double> Heights;
    std::vector<TCellStatement> Cells;
    TPageSettings Page;
    std::optional<TSourceText> Header, Footer;
    bool NoGrid = false;
    int Zoom = 100;
};

// ---- reading the source -------------------------------------------------------------------

struct TToken
{
    enum TKind { Word, String, Bar } Kind = Word;
    std::string Text;
};

std::vector<TToken> Tokenize(std::string_view line, const TWhere &where)
{
    std::vector<TToken> out;
    size_t i = 0;
    while (i < line.size()) {
        const char c = line[i];
        if (c == ' ' || c == '\t') {
            ++i;
        } else if (c == '#') {
            break;
        } else if (c == '|') {
            out.push_back({TToken::Bar, "|"});
            ++i;
        } else if (c == '"' || c == '\'') {
            std::string text;
            size_t j = i + 1;
            for (;; ++j) {
                if (j >= line.size())
                    Fail(where, "a string without its closing quote");
                if (line[j] == c)
                    break;
                if (line[j] == '\\') {
                    if (++j >= line.size())
                        Fail(where, "a string without its closing quote");
                    switch (line[j]) {
                    case 'n':
                        text += '\n';
                        break;
                    case '\\':
                    case '"':
                    case '\'':
                        text += line[j];
                        break;
                    default:
                        Fail(where, std::string("unknown escape \\") + line[j]);
                    }
                    continue;
                }
                text += line[j];
            }
            out.push_back({TToken::String, text});
            i = j + 1;
        } else {
            size_t j = i;
            while (j < line.size() && line[j] != ' ' && line[j] != '\t' && line[j] != '"'
                   && line[j] != '\'' && line[j] != '|' && line[j] != '#')
                ++j;
            out.push_back({TToken::Word, std::string(line.substr(i, j - i))});
            i = j;
        }
    }
    return out;
}

// Walks the tokens of one statement.
class TCursor
{
public:
    TCursor(std::vector<TToken> tokens, TWhere where)
        : Tokens(std::move(tokens))
        , Where(std::move(where))
    { }
    const TWhere &Location() const { return Where; }
    bool AtEnd() const { return Pos >= Tokens.size(); }
    bool NextIs(TToken::TKind kind) const { return !AtEnd() && Tokens[Pos].Kind == kind; }
    // A bare word that starts like a number: no attribute or style does.
    bool NextIsNumber() const
    {
        if (!NextIs(TToken::Word))
            return false;
        const char c = Tokens[Pos].Text[0];
        return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.';
    }

    std::string Word(const char *what)
    {
        if (!NextIs(TToken::Word))
            Fail(Where, std::string("expected ") + what);
        return Tokens[Pos++].Text;
    }
    double Number(const char *what)
    {
        const std::string w = Word(what);
        double v = 0;
        const auto [end, ec] = std::from_chars(w.data(), w.data() + w.size(), v);
        if (ec != std::errc() || end != w.data() + w.size())
            Fail(Where, std::string("expected ") + what + ", found \"" + w + "\"");
        return v;
    }
    int Integer(const char *what)
    {
        const std::string w = Word(what);
        int v = 0;
        const auto [end, ec] = std::from_chars(w.data(), w.data() + w.size(), v);
        if (ec != std::errc() || end != w.data() + w.size())
            Fail(Where, std::string("expected ") + what + ", found \"" + w + "\"");
        return v;
    }
    // "English" | "Русский", or one string for both.
    TText Text()
    {
        if (!NextIs(TToken::String))
            Fail(Where, "expected a quoted text");
        TText t;
        t.En = t.Ru = Tokens[Pos++].Text;
        if (NextIs(TToken::Bar)) {
            ++Pos;
            if (!NextIs(TToken::String))
                Fail(Where, "expected the Russian text after |");
            t.Ru = Tokens[Pos++].Text;
        }
        return t;
    }
    void End()
    {
        if (!AtEnd())
            Fail(Where, "unexpected \"" + Tokens[Pos].Text + "\"");
    }

private:
    std::vector<TToken> Tokens;
    size_t Pos = 0;
    TWhere Where;
};

int ColumnNumber(std::string_view letters, const TWhere &where)
{
    int col = 0;
    for (char c : letters) {
        if (c < 'A' || c > 'Z' || col > 255)
            Fail(where, "\"" + std::string(letters) + "\" is not a column");
        col = col * 26 + (c - 'A' + 1);
    }
    if (col < 1 || col > 256)
        Fail(where, "\"" + std::string(letters) + "\" is not a column");
    return col - 1;
}

// "C" or "C:F" as 0-based first and last column.
std::pair<int, int> ParseColumns(const std::string &text, const TWhere &where)
{
    const size_t colon = text.find(':');
    const int first = ColumnNumber(text.substr(0, colon), where);
    const int last
        = colon == std::string::npos ? first : ColumnNumber(text.substr(colon + 1), where);
    if (last < first)
        Fail(where, "columns " + text + " run backwards");
    return {first, last};
}

// "24" or "24:26" as 0-based first and last row.
std::pair<int, int> ParseRows(const std::string &text, const TWhere &where)
{
    auto one = [&](std::string_view s) {
        int row = 0;
        const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), row);
        if (ec != std::errc() || end != s.data() + s.size() || row < 1 || row > 65536)
            Fail(where, "\"" + text + "\" is not a row or rows");
        return row - 1;
    };
    const size_t colon = text.find(':');
    const int first = one(std::string_view(text).substr(0, colon));
    const int last
        = colon == std::string::npos ? first : one(std::string_view(text).substr(colon + 1));
    if (last < first)
        Fail(where, "rows " + text + " run backwards");
    return {first, last};
}

TRect ParseRange(const std::string &text, const TWhere &where)
{
    const auto rect = ParseA1Range(text);
    if (!rect || text.find('$') != std::string::npos)
        Fail(where, "\"" + text + "\" is not a cell or a range");
    if (rect->Row2 < rect->Row1 || rect->Col2 < rect->Col1)
        Fail(where, "range " + text + " runs backwards");
    return *rect;
}

int LineStyle(const std::string &word, const TWhere &where)
{
    if (word == "thin")
        return kThin;
    if (word == "medium")
        return kMedium;
    Fail(where, "a line is thin or medium, not \"" + word + "\"");
}

class TReader
{
public:
    explicit TReader(TLayout &layout)
        : Layout(layout)
    { }

    void ReadFile(const fs::path &path, int depth)
    {
        if (depth > kMaxIncludeDepth)
            throw ESourceError(path.string() + ": includes nested deeper than "
                               + std::to_string(kMaxIncludeDepth));
        const std::string bytes = ReadFileBytes(path, kMaxSourceBytes);
        TWhere where {path.string(), 0};
        size_t pos = 0;
        while (pos < bytes.size()) {
            size_t end = bytes.find('\n', pos);
            if (end == std::string::npos)
                end = bytes.size();
            std::string_view line(bytes.data() + pos, end - pos);
            pos = end + 1;
            ++where.Line;
            if (!line.empty() && line.back() == '\r')
                line.remove_suffix(1);
            TUtf8Cursor check(line);
            for (char32_t c; check.Next(c);)
                if (c == kUtf8Invalid)
                    Fail(where, "the line is not UTF-8");
            TCursor cur(Tokenize(line, where), where);
            if (cur.AtEnd())
                continue;
            Statement(cur, path, depth);
        }
    }

private:
    void Statement(TCursor &cur, const fs::path &path, int depth)
    {
        const TWhere where = cur.Location();
        const std::string op = cur.Word("a statement");
        if (op == "include") {
            const std::string name
                = cur.NextIs(TToken::String) ? cur.Text().En : cur.Word("a file");
            cur.End();
            ReadFile(path.parent_path() / name, depth + 1);
        } else if (op == "files") {
            const std::string w = cur.Word("units-languages, languages or one");
            cur.End();
            if (w == "units-languages")
                Layout.Files = TFiles::UnitsAndLanguages;
            else if (w == "languages")
                Layout.Files = TFiles::Languages;
            else if (w == "one")
                Layout.Files = TFiles::One;
            else
                Fail(where, "files are units-languages, languages or one, not \"" + w + "\"");
            Layout.FilesWhere = where;
        } else if (op == "sheet") {
            Layout.SheetName = {cur.Text(), where};
            cur.End();
        } else if (op == "units") {
            const std::string name = cur.Word("a unit name");
            TText daN = cur.Text();
            TText kN = cur.Text();
            cur.End();
            Layout.Units[name] = {daN, kN};
        } else if (op == "style") {
            const std::string name = cur.Word("a style name");
            if (Layout.Styles.contains(name) || IsAttributeWord(name))
                Fail(where, "style " + name + " is already defined or an attribute");
            Layout.Styles[name] = Attributes(cur);
            cur.End();
        } else if (op == "width") {
            const auto [first, last] = ParseColumns(cur.Word("columns"), where);
            const double width = cur.Number("a width in characters");
            if (!(width >= 0 && width <= 255))
                Fail(where, "a width is 0..255 characters");
            cur.End();
            for (int c = first; c <= last; ++c)
                Layout.Widths[c] = width;
        } else if (op == "height") {
            const auto [first, last] = ParseRows(cur.Word("rows"), where);
            const double height = cur.Number("a height in points");
            if (!(height > 0 && height <= 409))
                Fail(where, "a height is above 0 and at most 409 points");
            cur.End();
            for (int r = first; r <= last; ++r)
                Layout.Heights[r] = height;
        } else if (op == "text" || op == "texts" || op == "field" || op == "fields") {
            TCellStatement s;
            s.Op = op == "text" ? TOp::Text
                : op == "texts" ? TOp::Texts
                : op == "field" ? TOp::Field
                                : TOp::Fields;
            s.Where = where;
            s.Area = ParseRange(cur.Word("a cell or a range"), where);
            s.Attrs = Attributes(cur);
            while (cur.NextIs(TToken::String))
                s.Texts.push_back(cur.Text());
            cur.End();
            const size_t width = size_t(s.Area.Col2 - s.Area.Col1 + 1);
            if (s.Op == TOp::Text && s.Texts.size() != 1)
                Fail(where, "text takes one text");
            if (s.Op == TOp::Texts && (s.Area.Row1 != s.Area.Row2 || s.Texts.size() != width))
                Fail(where,
                     "texts takes one text per cell of a one-row range (" + std::to_string(width)
                         + " here)");
            if ((s.Op == TOp::Field || s.Op == TOp::Fields) && !s.Texts.empty())
                Fail(where, "a cell the program fills takes no text");
            Layout.Cells.push_back(std::move(s));
        } else if (op == "values") {
            TCellStatement s;
            s.Op = TOp::Values;
            s.Where = where;
            s.Area = ParseRange(cur.Word("a cell or a range"), where);
            s.Attrs = Attributes(cur);
            while (!cur.AtEnd()) {
                TValue v;
                if (cur.NextIs(TToken::String)) {
                    TText t = cur.Text();
                    if (!t.En.empty() || !t.Ru.empty())
                        v.Text = std::move(t);
                } else {
                    v.Number = cur.Number("a number or a quoted text");
                }
                s.Values.push_back(std::move(v));
            }
            const size_t cells
                = size_t(s.Area.Col2 - s.Area.Col1 + 1) * size_t(s.Area.Row2 - s.Area.Row1 + 1);
            if ((s.Area.Row1 != s.Area.Row2 && s.Area.Col1 != s.Area.Col2)
                || s.Values.size() != cells)
                Fail(where,
                     "values takes one value per cell of a one-row or one-column range ("
                         + std::to_string(cells) + " here)");
            Layout.Cells.push_back(std::move(s));
        } else if (op == "frame") {
            TCellStatement s;
            s.Op = TOp::Frame;
            s.Where = where;
            s.Area = ParseRange(cur.Word("a range"), where);
            s.Line = LineStyle(cur.Word("a line"), where);
            if (!cur.AtEnd()) {
                s.Sides = 0;
                while (!cur.AtEnd()) {
                    const std::string side = cur.Word("a side");
                    const int n = side == "left" ? kLeft
                        : side == "right"        ? kRight
                        : side == "top"          ? kTop
                        : side == "bottom"       ? kBottom
                                                 : -1;
                    if (n < 0)
                        Fail(where, "a side is left, right, top or bottom, not \"" + side + "\"");
                    s.Sides |= 1u << n;
                }
            }
            Layout.Cells.push_back(std::move(s));
        } else if (op == "column") {
            TCellStatement s;
            s.Op = TOp::Column;
            s.Where = where;
            const auto [first, last] = ParseColumns(cur.Word("columns"), where);
            s.Area = {0, first, 0, last};
            s.Attrs = Attributes(cur);
            cur.End();
            // A column's borders would run down the whole sheet.
            if (s.Attrs.Box)
                Fail(where, "a column format takes no borders");
            Layout.Cells.push_back(std::move(s));
        } else if (op == "page") {
            PageAttributes(cur);
        } else if (op == "header" || op == "footer") {
            (op == "header" ? Layout.Header : Layout.Footer) = {cur.Text(), where};
            cur.End();
        } else if (op == "view") {
            while (!cur.AtEnd()) {
                const std::string w = cur.Word("a view setting");
                if (w == "nogrid") {
                    Layout.NoGrid = true;
                } else if (w == "zoom") {
                    Layout.Zoom = cur.Integer("a zoom in percent");
                    if (Layout.Zoom < 10 || Layout.Zoom > 400)
                        Fail(where, "a zoom is 10..400 percent");
                } else {
                    Fail(where, "unknown view setting \"" + w + "\"");
                }
            }
        } else {
            Fail(where, "unknown statement \"" + op + "\"");
        }
    }

    static bool IsAttributeWord(const std::string &w)
    {
        static const std::set<std::string> words {"bold",
                                                  "italic",
                                                  "wrap",
                                                  "left",
                                                  "center",
                                                  "right",
                                                  "top",
                                                  "middle",
                                                  "bottom",
                                                  "size",
                                                  "indent",
                                                  "box",
                                                  "format"};
        return words.contains(w);
    }

    TAttrs Attributes(TCursor &cur)
    {
        TAttrs a;
        while (cur.NextIs(TToken::Word) && !cur.NextIsNumber()) {
            const TWhere &where = cur.Location();
            const std::string w = cur.Word("an attribute");
            if (w == "bold") {
                a.Bold = true;
            } else if (w == "italic") {
                a.Italic = true;
            } else if (w == "wrap") {
                a.Wrap = true;
            } else if (w == "left" || w == "center" || w == "right") {
                a.HAlign = w == "left" ? THAlign::Left
                    : w == "center"    ? THAlign::Center
                                       : THAlign::Right;
            } else if (w == "top" || w == "middle" || w == "bottom") {
                a.VAlign = w == "top" ? TVAlign::Top
                    : w == "middle"   ? TVAlign::Center
                                      : TVAlign::Bottom;
            } else if (w == "size") {
                a.Size = cur.Number("a font size in points");
                if (!(*a.Size >= 1 && *a.Size <= 409))
                    Fail(where, "a font size is 1..409 points");
            } else if (w == "indent") {
                a.Indent = cur.Integer("an indent level");
                if (*a.Indent < 0 || *a.Indent > 15)
                    Fail(where, "an indent is 0..15");
            } else if (w == "box") {
                a.Box = LineStyle(cur.Word("a line"), where);
            } else if (w == "format") {
                a.Format = cur.Text();
            } else if (auto it = Layout.Styles.find(w); it != Layout.Styles.end()) {
                a.Add(it->second);
            } else {
                Fail(where, "unknown attribute or style \"" + w + "\"");
            }
        }
        return a;
    }

    void PageAttributes(TCursor &cur)
    {
        TPageSettings &p = Layout.Page;
        const TWhere &where = cur.Location();
        auto mm = [&](const char *what) {
            const double v = cur.Number(what);
            if (!(v >= 0 && v <= 100))
                Fail(where, "a margin is 0..100 mm");
            return v;
        };
        while (!cur.AtEnd()) {
            const std::string w = cur.Word("a page setting");
            if (w == "a4" || w == "a3") {
                p.Paper = w == "a4" ? kA4 : kA3;
            } else if (w == "landscape" || w == "portrait") {
                p.Landscape = w == "landscape";
            } else if (w == "fit-width") {
                p.FitWidth = true;
            } else if (w == "center") {
                p.Center = true;
            } else if (w == "margins") {
                for (double &m : p.Margins)
                    m = mm("four margins in mm: left, right, top, bottom");
            } else if (w == "header-margin") {
                p.HeaderMargin = mm("the header margin in mm");
            } else if (w == "footer-margin") {
                p.FooterMargin = mm("the footer margin in mm");
            } else if (w == "repeat-rows") {
                p.RepeatRows = ParseRows(cur.Word("rows"), where);
            } else {
                Fail(where, "unknown page setting \"" + w + "\"");
            }
        }
    }

    TLayout &Layout;
};

// ---- checks that hold for every variant --------------------------------------------------

bool Overlap(const TRect &a, const TRect &b)
{
    return a.Row1 <= b.Row2 && b.Row1 <= a.Row2 && a.Col1 <= b.Col2 && b.Col1 <= a.Col2;
}

std::string CellName(int row, int col)
{
    return A1Address({row, col, row, col});
}

// A cell holds at most one thing: a caption, a part of a merged caption, or a place the
// program fills; merged areas do not overlap.
void CheckPlacements(const TLayout &layout)
{
    struct TUse
    {
        bool Program = false;
        TWhere Where;
    };
    std::map<std::pair<int, int>, TUse> used;
    std::vector<std::pair<TRect, TWhere>> merged;
    auto take = [&](int r, int c, bool program, const TWhere &where) {
        auto [it, fresh] = used.try_emplace({r, c}, TUse {program, where});
        if (!fresh)
            Fail(where,
                 CellName(r, c) + " is already "
                     + (it->second.Program ? "a cell the program fills" : "a caption") + " (line "
                     + std::to_string(it->second.Where.Line) + " of " + it->second.Where.File
                     + ")");
    };
    auto merge = [&](const TRect &area, const TWhere &where) {
        if (area.Row1 == area.Row2 && area.Col1 == area.Col2)
            return;
        for (const auto &[other, at] : merged)
            if (Overlap(area, other))
                Fail(where,
                     A1Address(area) + " overlaps the merged " + A1Address(other) + " of line "
                         + std::to_string(at.Line));
        merged.push_back({area, where});
    };
    for (const auto &s : layout.Cells) {
        const TRect &a = s.Area;
        switch (s.Op) {
        case TOp::Text:
        case TOp::Field:
            merge(a, s.Where);
            for (int r = a.Row1; r <= a.Row2; ++r)
                for (int c = a.Col1; c <= a.Col2; ++c)
                    take(r, c, s.Op == TOp::Field, s.Where);
            break;
        case TOp::Texts:
        case TOp::Values:
        case TOp::Fields:
            for (int r = a.Row1; r <= a.Row2; ++r)
                for (int c = a.Col1; c <= a.Col2; ++c)
                    take(r, c, s.Op == TOp::Fields, s.Where);
            break;
        case TOp::Frame:
        case TOp::Column:
            break;
        }
    }
    if (!layout.SheetName)
        throw ESourceError("the source names no sheet");
}

// ---- building one variant -----------------------------------------------------------------

class TBuilder
{
public:
    TBuilder(const TLayout &layout, TVariant variant)
        : Layout(layout)
        , Variant(variant)
    { }

    // {name} replaced by the unit word of this variant.
    std::string Resolve(const TText &text, const TWhere &where) const
    {
        if (Layout.Files == TFiles::One && text.En != text.Ru)
            Fail(where, "a layout of one file takes each text once, for every language");
        const std::string &s = Variant.Ru ? text.Ru : text.En;
        std::string out;
        for (size_t i = 0; i < s.size(); ++i) {
            if (s[i] != '{') {
                out += s[i];
                continue;
            }
            if (Layout.Files != TFiles::UnitsAndLanguages)
                Fail(where, "a layout without unit variants takes no unit words");
            const size_t close = s.find('}', i);
            if (close == std::string::npos)
                Fail(where, "a { without its }");
            const std::string name = s.substr(i + 1, close - i - 1);
            const auto it = Layout.Units.find(name);
            if (it == Layout.Units.end())
                Fail(where, "unknown unit {" + name + "}");
            const TText &word = Variant.Kn ? it->second.second : it->second.first;
            out += Variant.Ru ? word.Ru : word.En;
            i = close;
        }
        return out;
    }

    std::string Build() const
    {
        TXLSFile file;
        TSheet &sheet = file.Sheets().Item(0);
        sheet.SetName(Resolve(Layout.SheetName->Text, Layout.SheetName->Where));
        for (const auto &[col, width] : Layout.Widths)
            sheet.Columns().Item(col).SetWidth(width);
        for (const auto &[row, height] : Layout.Heights)
            sheet.Rows().Item(row).SetHeight(height);
        // Column formats last: a cell made earlier would otherwise start from them.
        for (const auto &s : Layout.Cells)
            if (s.Op != TOp::Column)
                Apply(sheet, s);
        for (const auto &s : Layout.Cells)
            if (s.Op == TOp::Column)
                Apply(sheet, s);
        Page(sheet);
        return file.SaveToBytes();
    }

private:
    void Format(TCustomXLSItem &item, const TAttrs &a, const TWhere &where) const
    {
        if (a.Size)
            item.SetFontSize(*a.Size);
        if (a.Bold)
            item.SetBold(*a.Bold);
        if (a.Italic)
            item.SetItalic(*a.Italic);
        if (a.HAlign)
            item.SetHAlign(*a.HAlign);
        if (a.VAlign)
            item.SetVAlign(*a.VAlign);
        if (a.Wrap)
            item.SetWrap(*a.Wrap);
        if (a.Indent)
            item.SetIndent(*a.Indent);
        if (a.Format)
            item.SetNumberFormat(Resolve(*a.Format, where));
        if (a.Box) {
            item.SetBorderStyle(4, *a.Box);
            item.SetBorderColor(4, kBlack);
        }
    }

    void Apply(TSheet &sheet, const TCellStatement &s) const
    {
        const TRect &a = s.Area;
        switch (s.Op) {
        case TOp::Text:
        case TOp::Field:
        case TOp::Texts:
        case TOp::Values:
        case TOp::Fields:
            for (int r = a.Row1; r <= a.Row2; ++r)
                for (int c = a.Col1; c <= a.Col2; ++c) {
                    TCell cell = sheet.Cells().Item(r, c);
                    Format(cell, s.Attrs, s.Where);
                    if (s.Op == TOp::Texts)
                        cell.SetText(Resolve(s.Texts[size_t(c - a.Col1)], s.Where));
                    if (s.Op == TOp::Values) {
                        // One row or one column: the cell's place in it.
                        const TValue &v = s.Values[size_t(c - a.Col1 + r - a.Row1)];
                        if (v.Number)
                            cell.SetNumber(*v.Number);
                        else if (v.Text)
                            cell.SetText(Resolve(*v.Text, s.Where));
                    }
                }
            if (s.Op == TOp::Text)
                sheet.Cells().Item(a.Row1, a.Col1).SetText(Resolve(s.Texts.front(), s.Where));
            if ((s.Op == TOp::Text || s.Op == TOp::Field) && (a.Row1 != a.Row2 || a.Col1 != a.Col2))
                sheet.Ranges().AddMerged(a);
            break;
        case TOp::Frame:
            Frame(sheet, s);
            break;
        case TOp::Column:
            for (int c = a.Col1; c <= a.Col2; ++c) {
                TColumn column = sheet.Columns().Item(c);
                Format(column, s.Attrs, s.Where);
            }
            break;
        }
    }

    static void Frame(TSheet &sheet, const TCellStatement &s)
    {
        const TRect &a = s.Area;
        auto side = [&](int row, int col, int n) {
            if (!(s.Sides & (1u << n)))
                return;
            TCell cell = sheet.Cells().Item(row, col);
            cell.SetBorderStyle(n, s.Line);
            cell.SetBorderColor(n, kBlack);
        };
        for (int c = a.Col1; c <= a.Col2; ++c) {
            side(a.Row1, c, kTop);
            side(a.Row2, c, kBottom);
        }
        for (int r = a.Row1; r <= a.Row2; ++r) {
            side(r, a.Col1, kLeft);
            side(r, a.Col2, kRight);
        }
    }

    void Page(TSheet &sheet) const
    {
        const TPageSettings &p = Layout.Page;
        TPageSetup &ps = sheet.PageSetup;
        ps.PaperSize = p.Paper;
        // Paper and orientation count only with the printer settings marked as present.
        ps.Options = std::uint16_t(ps.Options & ~kNoPrinterSettings);
        ps.Options = std::uint16_t(p.Landscape ? ps.Options & ~TPageSetup::kPortrait
                                               : ps.Options | TPageSetup::kPortrait);
        if (p.FitWidth) {
            ps.WsBool |= TPageSetup::kFitToPage;
            ps.FitWidth = 1;
            ps.FitHeight = 0; // as many pages tall as the table needs
        }
        ps.HCenter = p.Center;
        ps.LeftMargin = p.Margins[0] / kMmPerInch;
        ps.RightMargin = p.Margins[1] / kMmPerInch;
        ps.TopMargin = p.Margins[2] / kMmPerInch;
        ps.BottomMargin = p.Margins[3] / kMmPerInch;
        ps.HeaderMargin = p.HeaderMargin / kMmPerInch;
        ps.FooterMargin = p.FooterMargin / kMmPerInch;
        ps.TitleRows = p.RepeatRows;
        if (Layout.Header)
            ps.Header = THeaderFooter::Parse(Resolve(Layout.Header->Text, Layout.Header->Where));
        if (Layout.Footer)
            ps.Footer = THeaderFooter::Parse(Resolve(Layout.Footer->Text, Layout.Footer->Where));
        if (Layout.NoGrid)
            sheet.View.Options = std::uint16_t(sheet.View.Options & ~TSheetView::kShowGrid);
        sheet.View.Zoom = Layout.Zoom;
    }

    const TLayout &Layout;
    TVariant Variant;
};

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::cerr
            << "usage: make_forms SOURCE.form OUTPUT-FOLDER\n"
               "  writes NAME_en.xls, NAMEN_en.xls, NAME_ru.xls and NAMEN_ru.xls (a source with\n"
               "  `files languages`: NAME_en.xls and NAME_ru.xls; `files one`: NAME.xls), NAME\n"
               "  being the source's name without .form\n";
        return 2;
    }
    const fs::path source = argv[1];
    const fs::path folder = argv[2];
    try {
        TLayout layout;
        TReader(layout).ReadFile(source, 0);
        CheckPlacements(layout);
        fs::create_directories(folder);
        std::vector<TVariant> variants;
        switch (layout.Files) {
        case TFiles::UnitsAndLanguages:
            variants = {{false, false}, {true, false}, {false, true}, {true, true}};
            break;
        case TFiles::Languages:
            variants = {{false, false}, {false, true}};
            break;
        case TFiles::One:
            variants = {{false, true, true}};
            break;
        }
        for (TVariant v : variants) {
            const fs::path out = folder / (source.stem().string() + v.Suffix() + ".xls");
            WriteFileAtomic(out, TBuilder(layout, v).Build());
        }
        std::cout << "make_forms: " << source.stem().string() << " written to " << folder.string()
                  << "\n";
        return 0;
    } catch (const std::exception &e) {
        std::cerr << "make_forms: " << e.what() << "\n";
        return 1;
    }
}
