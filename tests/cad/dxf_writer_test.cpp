// The DXF writer: its file layout byte for byte, its numbers, and ezdxf reading what it writes.
#include "base/file_io.h"
#include "cad/acad_dxf.h"
#include "ezdxf_reader.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace vartesk;
using test::EzdxfEntities;

namespace {

// The group lines joined by CR LF, as the file holds them.
std::string Lines(const std::vector<std::string> &lines)
{
    std::string out;
    for (const std::string &line : lines)
        out += line + "\r\n";
    return out;
}

const std::string kStart = Lines({"0", "SECTION", "2", "ENTITIES"});
const std::string kEnd = Lines({"0", "ENDSEC", "0", "EOF"});

// Lets `draw` record a drawing, writes it to a scratch file and gives the file's bytes.
template<class Draw>
std::string Drawn(const test::TScratchDir &dir, Draw draw, TDrawingStyle style = {})
{
    TDrawing drawing(std::move(style));
    draw(drawing);
    WriteDxf(drawing, dir / "drawing.dxf");
    return test::ReadAll(dir / "drawing.dxf");
}

} // namespace

TEST(DxfWriter, EmptyExportIsEightLines)
{
    test::TScratchDir dir;
    const std::string bytes = Drawn(dir, [](TDrawing &) {});
    EXPECT_EQ(bytes, "0\r\nSECTION\r\n2\r\nENTITIES\r\n0\r\nENDSEC\r\n0\r\nEOF\r\n");
    const auto entities = EzdxfEntities(dir / "drawing.dxf");
    if (!entities)
        GTEST_SKIP() << "python3-ezdxf is not installed";
    EXPECT_TRUE(entities->empty());
}

TEST(DxfWriter, LineCarriesLayerLineTypeAndRightAlignedColour)
{
    test::TScratchDir dir;
    const std::string bytes = Drawn(dir, [](TDrawing &dxf) { dxf.Line({0, 100}, {60, 150}, 7); });
    EXPECT_EQ(bytes,
              kStart
                  + Lines({"0",
                           "LINE",
                           "8",
                           "0",
                           "6",
                           "CONTINUOUS",
                           "62",
                           "  7",
                           "10",
                           "0.0",
                           "20",
                           "100.0",
                           "11",
                           "60.0",
                           "21",
                           "150.0"})
                  + kEnd);
}

TEST(DxfWriter, TextBeforeAnyColourHasNoColourGroup)
{
    test::TScratchDir dir;
    const std::string bytes = Drawn(dir, [](TDrawing &dxf) { dxf.Text("AB", {-15, 94}, 2); });
    EXPECT_EQ(bytes,
              kStart + Lines({"0",  "TEXT",     "8",  "0",     "6",  "CONTINUOUS", "1",  "AB",
                              "7",  "STANDARD", "10", "-15.0", "20", "94.0",       "40", "2.0",
                              "41", "1.0",      "50", "0.0",   "51", "0.0",        "72", "0"})
                  + kEnd);
}

TEST(DxfWriter, ColourPersistsFromLineToLaterEntitiesUntilChanged)
{
    test::TScratchDir dir;
    const std::string bytes = Drawn(dir, [](TDrawing &dxf) {
        dxf.Text("a", {0, 0}, 2.5);
        dxf.Line({0, 0}, {1, 1}, 12);
        dxf.Text("b", {0, 0}, 2.5);
        dxf.SetColor(-1);
        dxf.Text("c", {0, 0}, 2.5);
        dxf.SetColor(127);
        dxf.Text("d", {0, 0}, 2.5);
    });
    const auto textWith = [](const std::string &text, const std::string &colour) {
        std::vector<std::string> lines = {"0", "TEXT", "8", "0", "6", "CONTINUOUS"};
        if (!colour.empty())
            lines.insert(lines.end(), {"62", colour});
        lines.insert(lines.end(),
                     {"1",
                      text,
                      "7",
                      "STANDARD",
                      "10",
                      "0.0",
                      "20",
                      "0.0",
                      "40",
                      "2.5",
                      "41",
                      "1.0",
                      "50",
                      "0.0",
                      "51",
                      "0.0",
                      "72",
                      "0"});
        return Lines(lines);
    };
    EXPECT_EQ(bytes,
              kStart + textWith("a", "")
                  + Lines({"0",
                           "LINE",
                           "8",
                           "0",
                           "6",
                           "CONTINUOUS",
                           "62",
                           " 12",
                           "10",
                           "0.0",
                           "20",
                           "0.0",
                           "11",
                           "1.0",
                           "21",
                           "1.0"})
                  + textWith("b", " 12") + textWith("c", "") + textWith("d", "127") + kEnd);
}

TEST(DxfWriter, PolylineHeaderVerticesAndSeqend)
{
    test::TScratchDir dir;
    const std::string bytes = Drawn(dir, [](TDrawing &dxf) {
        dxf.SetColor(7);
        dxf.Polyline({{-17, 100}, {210, -78}}, false, 0.1);
        dxf.Polyline({{1, 2}}, true, 0);
    });
    const std::vector<std::string> common = {"8", "0", "6", "CONTINUOUS", "62", "  7"};
    auto entity = [&](const std::string &name, const std::vector<std::string> &groups) {
        std::vector<std::string> lines = {"0", name};
        lines.insert(lines.end(), common.begin(), common.end());
        lines.insert(lines.end(), groups.begin(), groups.end());
        return Lines(lines);
    };
    EXPECT_EQ(bytes,
              kStart + entity("POLYLINE", {"66", "1", "40", "0.1", "41", "0.1"})
                  + entity("VERTEX", {"10", "-17.0", "20", "100.0"})
                  + entity("VERTEX", {"10", "210.0", "20", "-78.0"}) + Lines({"0", "SEQEND"})
                  + entity("POLYLINE", {"66", "1", "70", "1", "40", "0.0", "41", "0.0"})
                  + entity("VERTEX", {"10", "1.0", "20", "2.0"}) + Lines({"0", "SEQEND"}) + kEnd);
}

TEST(DxfNumber, FourDecimalsWithoutTrailingZerosDownToOne)
{
    EXPECT_EQ(DxfNumber(12.5), "12.5");
    EXPECT_EQ(DxfNumber(3), "3.0");
    EXPECT_EQ(DxfNumber(-17), "-17.0");
    EXPECT_EQ(DxfNumber(0.1), "0.1");
    EXPECT_EQ(DxfNumber(0), "0.0");
    EXPECT_EQ(DxfNumber(100), "100.0");
    EXPECT_EQ(DxfNumber(1.25), "1.25");
    EXPECT_EQ(DxfNumber(1e20), "100000000000000000000.0");
    // Single-precision points come out as the decimal they were meant to be.
    EXPECT_EQ(DxfNumber(44.7f), "44.7");
    EXPECT_EQ(DxfNumber(float(9.6 + 5.3 * 7)), "46.7");
    EXPECT_EQ(DxfNumber(-34.8f), "-34.8");
}

TEST(DxfNumber, MoreThanFourDecimalsAreRounded)
{
    EXPECT_EQ(DxfNumber(1.23456), "1.2346");
    EXPECT_EQ(DxfNumber(1.23454), "1.2345");
    EXPECT_EQ(DxfNumber(-1.23456), "-1.2346");
    EXPECT_EQ(DxfNumber(259.80762113533), "259.8076");
    EXPECT_EQ(DxfNumber(0.99996), "1.0");
    EXPECT_EQ(DxfNumber(-9.99999), "-10.0");
    // Below half of the fourth decimal: zero, and without a sign.
    EXPECT_EQ(DxfNumber(0.00004), "0.0");
    EXPECT_EQ(DxfNumber(-0.00004), "0.0");
    EXPECT_EQ(DxfNumber(-0.0), "0.0");
    EXPECT_EQ(DxfNumber(1e-300), "0.0");
}

TEST(DxfNumber, ExactHalvesGoAwayFromZero)
{
    // Exact binary values with a fifth decimal 5; ties to even would give 0.0312 and 1.4062.
    EXPECT_EQ(DxfNumber(0.03125), "0.0313");
    EXPECT_EQ(DxfNumber(-0.03125), "-0.0313");
    EXPECT_EQ(DxfNumber(1.40625), "1.4063");
    EXPECT_EQ(DxfNumber(0.09375), "0.0938");
    EXPECT_EQ(DxfNumber(-1000000.15625), "-1000000.1563");
    // 0.00005 is not a half in binary: it lies just above it.
    EXPECT_EQ(DxfNumber(0.00005), "0.0001");
    // Multiples of 1/16 have four decimals and stay as they are.
    EXPECT_EQ(DxfNumber(0.0625), "0.0625");
}

TEST(DxfWriter, StyleOfTheWriterAppliesToEveryEntity)
{
    TDrawingStyle style;
    style.Origin = {10, -5};
    style.Layer = "SCHEME";
    style.LineType = "0"; // means: no line-type group
    style.TextStyle = "GOST";
    style.TextRotation = 90;
    style.ObliqueAngle = 15;
    style.WidthFactor = 0.8;
    test::TScratchDir dir;
    const std::string bytes = Drawn(
        dir,
        [](TDrawing &dxf) {
            dxf.Line({0, 0}, {1.5f, 2}, 3);
            dxf.Text("x", {-10, 5}, 3.5);
        },
        style);
    EXPECT_EQ(bytes,
              kStart
                  + Lines({"0",  "LINE", "8",  "SCHEME", "62", "  3",  "10", "10.0",   "20", "-5.0",
                           "11", "11.5", "21", "-3.0",   "0",  "TEXT", "8",  "SCHEME", "62", "  3",
                           "1",  "x",    "7",  "GOST",   "10", "0.0",  "20", "0.0",    "40", "3.5",
                           "41", "0.8",  "50", "90.0",   "51", "15.0", "72", "0"})
                  + kEnd);
}

TEST(DxfWriter, TextsAreWindows1251OnOneLineAndShowInCadAsGiven)
{
    test::TScratchDir dir;
    const std::string bytes = Drawn(dir, [](TDrawing &dxf) {
        dxf.Text("Анк.", {0, 0}, 2.5);
        dxf.Text("Уг.1;+12°30'0\"", {0, 0}, 2.5);
        dxf.Text("a\r\nb\tc\177d\033e^Jf", {0, 0}, 2.5);
        dxf.Text("%%c25 %%P1 %%% 5%", {0, 0}, 2.5);
    });
    EXPECT_NE(bytes.find("\r\n1\r\n\xC0\xED\xEA.\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("\r\n1\r\n\xD3\xE3.1;+12\xB0\x33\x30'0\"\r\n"), std::string::npos);
    // Control characters would break the group or be written out ("^J" is one).
    EXPECT_NE(bytes.find("\r\n1\r\na  b c d e^ Jf\r\n"), std::string::npos);
    // CAD reads "%%c" as a diameter sign, "%%%" as one "%"; a single "%" starts no code.
    EXPECT_NE(bytes.find("\r\n1\r\n%%%%%%c25 %%%%%%P1 %%%%%%%%% 5%\r\n"), std::string::npos);
    const auto entities = EzdxfEntities(dir / "drawing.dxf");
    if (!entities)
        GTEST_SKIP() << "python3-ezdxf is not installed";
    EXPECT_EQ(*entities,
              (std::vector<std::string> {
                  test::EzdxfText(0, 0, 2.5, 256, "Анк."),
                  test::EzdxfText(0, 0, 2.5, 256, "Уг.1;+12°30'0\""),
                  test::EzdxfText(0, 0, 2.5, 256, "a  b c d e^Jf"),
                  test::EzdxfText(0, 0, 2.5, 256, "%%c25 %%P1 %%% 5%"),
              }));
}

TEST(DxfWriter, FileThatCannotBeWrittenRaisesAndLeavesNothing)
{
    test::TScratchDir dir;
    TDrawing drawing;
    drawing.Line({0, 0}, {1, 1}, 7);
    EXPECT_THROW(WriteDxf(drawing, dir / "missing-folder" / "drawing.dxf"), EFileError);
    EXPECT_FALSE(std::filesystem::exists(dir / "missing-folder"));
}

TEST(DxfWriter, EzdxfReadsEveryKindOfEntityAsWritten)
{
    test::TScratchDir dir;
    Drawn(dir, [](TDrawing &dxf) {
        dxf.Text("before", {-15, 94}, 2);
        dxf.Line({0, 100}, {60, 150}, 7);
        dxf.Text("after", {1.23456f, -0.00004f}, 2.5);
        dxf.Polyline({{-17, 100}, {210, 100}, {210, -78}, {-17, -78}}, false, 0.1);
        dxf.SetColor(1);
        dxf.Text("", {5, 5}, 3);
    });
    const auto entities = EzdxfEntities(dir / "drawing.dxf");
    if (!entities)
        GTEST_SKIP() << "python3-ezdxf is not installed";
    EXPECT_EQ(*entities,
              (std::vector<std::string> {
                  test::EzdxfText(-15, 94, 2, 256, "before"),
                  test::EzdxfLine(0, 100, 60, 150, 7),
                  test::EzdxfText(1.2346, 0, 2.5, 7, "after"),
                  "POLYLINE closed=0 w=0.1000 c=7 -17.0000,100.0000 210.0000,100.0000 "
                  "210.0000,-78.0000 -17.0000,-78.0000",
                  test::EzdxfText(5, 5, 3, 1, ""),
              }));
}
