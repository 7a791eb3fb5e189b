// JSON and CSV pictures of a workbook.
#include "xls/workbook_dump.h"

#include "base/text_formats.h"
#include "xls/workbook.h"
#include "xls/xls_error.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace vartesk::xls {

namespace {

struct TCellText
{
    const char *Kind;
    std::string Json; // the value as JSON
    std::string Plain;
};

TCellText Describe(const TWorkbook &book, const TCells &cells, const TCellData &c)
{
    TCellKind kind = c.Kind;
    double num = c.Number();
    std::uint32_t text = c.Ref();
    std::uint8_t small = c.Small;
    if (kind == TCellKind::Formula) {
        const TFormula &f = cells.Formulas.at(c.Ref());
        kind = f.ResultKind == TCellKind::Blank ? TCellKind::Text : f.ResultKind;
        num = f.ResultNumber;
        text = f.ResultText;
        small = f.ResultSmall;
    }
    switch (kind) {
    case TCellKind::Number:
        return {"number", RoundTripNumber(num), RoundTripNumber(num)};
    case TCellKind::Text: {
        const auto t = book.Strings.At(text);
        return {"text", JsonQuoted(t), std::string(t)};
    }
    case TCellKind::Boolean:
        return {"boolean", small ? "true" : "false", small ? "TRUE" : "FALSE"};
    case TCellKind::Error:
        return {"error", std::to_string(small), ErrorText(small)};
    default:
        return {"blank", "null", ""};
    }
}

std::string FormatOf(const TWorkbook &book, std::uint32_t xf)
{
    return book.FormatText(xf < book.XFs.size() ? book.XFs[xf].NumFormat : 0);
}

std::vector<const TSheet *> Chosen(const TWorkbook &book, const std::optional<std::string> &name)
{
    std::vector<const TSheet *> out;
    for (int i = 0; i < book.Sheets().Count(); ++i)
        if (!name || book.Sheets().Item(i).Name() == *name)
            out.push_back(&book.Sheets().Item(i));
    if (name && out.empty())
        throw std::runtime_error("no sheet named \"" + *name + "\"");
    return out;
}

} // namespace

std::string DumpJson(const TWorkbook &book, const std::optional<std::string> &name)
{
    std::string o = "{\"sheets\":[";
    bool firstSheet = true;
    for (const TSheet *s : Chosen(book, name)) {
        if (!firstSheet)
            o += ",";
        firstSheet = false;
        o += "\n{\"name\":" + JsonQuoted(s->Name())
            + ",\"hidden\":" + (s->Hidden() ? "true" : "false") + ",\"cells\":[";
        bool first = true;
        const auto &cells = s->Cells();
        for (size_t r = 0; r < cells.Rows.size(); ++r)
            for (const auto &c : cells.Rows[r]) {
                const TCellText t = Describe(book, cells, c);
                o += first ? "\n" : ",\n";
                first = false;
                o += "{\"address\":\"" + A1Address({int(r), c.Col, int(r), c.Col})
                    + "\",\"row\":" + std::to_string(r) + ",\"col\":" + std::to_string(c.Col)
                    + ",\"kind\":\"" + t.Kind + "\",\"value\":" + t.Json
                    + ",\"format\":" + JsonQuoted(FormatOf(book, c.Xf))
                    + (c.Kind == TCellKind::Formula ? ",\"formula\":true" : "") + "}";
            }
        o += "],\n\"merged\":[";
        first = true;
        for (const auto &m : s->Ranges().MergedAreas()) {
            o += first ? "" : ",";
            first = false;
            o += "\"" + A1Address(m) + "\"";
        }
        o += "],\n\"columns\":[";
        first = true;
        for (const auto &[col, d] : s->Columns().Items) {
            o += first ? "" : ",";
            first = false;
            o += "{\"col\":" + std::to_string(col) + ",\"letter\":\"" + ColumnLetters(col)
                + "\",\"width\":" + RoundTripNumber(UnitsToWidth(d.Width))
                + ",\"units\":" + std::to_string(d.Width)
                + ",\"hidden\":" + ((d.Options & 1) ? "true" : "false") + "}";
        }
        o += "]}";
    }
    return o + "\n]}\n";
}

std::string DumpCsv(const TWorkbook &book, const std::optional<std::string> &name)
{
    std::string o = "sheet,item,address,kind,value,format\n";
    for (const TSheet *s : Chosen(book, name)) {
        const std::string sheet = CsvField(s->Name());
        const auto &cells = s->Cells();
        for (size_t r = 0; r < cells.Rows.size(); ++r)
            for (const auto &c : cells.Rows[r]) {
                const TCellText t = Describe(book, cells, c);
                o += sheet + ",cell," + A1Address({int(r), c.Col, int(r), c.Col}) + "," + t.Kind
                    + "," + CsvField(t.Plain) + "," + CsvField(FormatOf(book, c.Xf)) + "\n";
            }
        for (const auto &m : s->Ranges().MergedAreas())
            o += sheet + ",merged," + A1Address(m) + ",,,\n";
        for (const auto &[col, d] : s->Columns().Items)
            o += sheet + ",column," + ColumnLetters(col) + ",width,"
                + RoundTripNumber(UnitsToWidth(d.Width)) + ",\n";
    }
    return o;
}

} // namespace vartesk::xls
