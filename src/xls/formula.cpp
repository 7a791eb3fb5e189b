// Token walking after [MS-XLS] 2.5.198 (Ptg); only sizes and references are decoded.
#include "xls/formula.h"

namespace vartesk::xls {

namespace {

// clang-format off
constexpr std::uint8_t kTExp = 0x01, kTTbl = 0x02, kTStr = 0x17, kTAttr = 0x19;
constexpr std::uint8_t kTName = 0x23, kTRef = 0x24, kTArea = 0x25, kTRefN = 0x2C,
                       kTAreaN = 0x2D, kTNameX = 0x39, kTRef3d = 0x3A, kTArea3d = 0x3B;
// clang-format on

// Classified tokens (0x20..0x7F) by their base id: data bytes after the ptg, -1 unknown.
constexpr int kClassifiedSize[32] = {
    7,  2,  3,  4,  4,  8,  6,  6,  6,  2, 4, 8,  4, 8,  2,  2, // 0x20..0x2F
    -1, -1, -1, -1, -1, -1, -1, -1, -1, 6, 6, 10, 6, 10, -1, -1, // 0x30..0x3F
};

unsigned Get16(const std::string &s, size_t at)
{
    return unsigned(std::uint8_t(s[at])) | (unsigned(std::uint8_t(s[at + 1])) << 8);
}

void Put16(std::string &s, size_t at, unsigned v)
{
    s[at] = char(v & 0xFF);
    s[at + 1] = char((v >> 8) & 0xFF);
}

std::uint8_t BaseId(std::uint8_t ptg)
{
    return ptg >= 0x20 ? std::uint8_t((ptg & 0x1F) | 0x20) : ptg;
}

// Moves one row/column pair at rpn[at] (row word, column word with the relative flags in
// bits 14 and 15). For a shared formula the words hold offsets from the cell.
bool MoveRef(std::string &rpn, size_t rowAt, size_t colAt, int dRow, int dCol, bool offsets)
{
    const unsigned colWord = Get16(rpn, colAt);
    const bool rowRel = colWord & 0x8000;
    const bool colRel = colWord & 0x4000;
    int row = int(Get16(rpn, rowAt));
    int col = int(colWord & 0xFF);
    if (offsets) {
        if (rowRel)
            row = std::int16_t(row) + dRow;
        if (colRel)
            col = std::int8_t(col) + dCol;
    } else {
        if (rowRel)
            row += dRow;
        if (colRel)
            col += dCol;
    }
    if (row < 0 || row > 65535 || col < 0 || col > 255)
        return false;
    Put16(rpn, rowAt, unsigned(row));
    Put16(rpn, colAt, (colWord & 0xC000) | unsigned(col));
    return true;
}

} // namespace

size_t FormulaTokenSize(std::string_view rpn, size_t pos)
{
    if (pos >= rpn.size())
        return 0;
    const auto ptg = std::uint8_t(rpn[pos]);
    const size_t left = rpn.size() - pos;
    size_t size = 0;
    if (ptg >= 0x20 && ptg < 0x80) {
        const int data = kClassifiedSize[BaseId(ptg) - 0x20];
        if (data < 0)
            return 0;
        size = 1 + size_t(data);
    } else if (ptg >= 0x03 && ptg <= 0x16) {
        size = 1;
    } else {
        switch (ptg) {
        case kTExp:
        case kTTbl:
            size = 5;
            break;
        case 0x1C: // tErr
        case 0x1D:
            size = 2;
            break; // tBool
        case 0x1E:
            size = 3;
            break; // tInt
        case 0x1F:
            size = 9;
            break; // tNum
        case kTStr: {
            if (left < 3)
                return 0;
            const size_t cch = std::uint8_t(rpn[pos + 1]);
            size = 3 + cch * ((rpn[pos + 2] & 1) ? 2 : 1);
            break;
        }
        case kTAttr: {
            if (left < 4)
                return 0;
            size = 4;
            if (std::uint8_t(rpn[pos + 1]) & 0x04) { // tAttrChoose: a jump table follows
                const size_t n = std::uint8_t(rpn[pos + 2]) | (std::uint8_t(rpn[pos + 3]) << 8);
                size += 2 * (n + 1);
            }
            break;
        }
        default:
            return 0;
        }
    }
    return size <= left ? size : 0;
}

bool FormulaCanBeKept(std::string_view rpn)
{
    for (size_t pos = 0; pos < rpn.size();) {
        const size_t n = FormulaTokenSize(rpn, pos);
        if (n == 0)
            return false;
        const auto base = BaseId(std::uint8_t(rpn[pos]));
        if (base == kTName || base == kTNameX || base == kTExp || base == kTTbl)
            return false;
        pos += n;
    }
    return true;
}

bool MaterializeShared(std::string &rpn, int row, int col)
{
    for (size_t pos = 0; pos < rpn.size();) {
        const size_t n = FormulaTokenSize(rpn, pos);
        if (n == 0)
            return false;
        const auto ptg = std::uint8_t(rpn[pos]);
        const auto base = BaseId(ptg);
        if (base == kTRefN) {
            if (!MoveRef(rpn, pos + 1, pos + 3, row, col, true))
                return false;
            rpn[pos] = char(ptg - (kTRefN - kTRef));
        } else if (base == kTAreaN) {
            if (!MoveRef(rpn, pos + 1, pos + 5, row, col, true)
                || !MoveRef(rpn, pos + 3, pos + 7, row, col, true))
                return false;
            rpn[pos] = char(ptg - (kTAreaN - kTArea));
        }
        pos += n;
    }
    return true;
}

bool ShiftFormula(std::string &rpn, int dRow, int dCol)
{
    for (size_t pos = 0; pos < rpn.size();) {
        const size_t n = FormulaTokenSize(rpn, pos);
        if (n == 0)
            return false;
        const auto base = BaseId(std::uint8_t(rpn[pos]));
        bool ok = true;
        if (base == kTRef)
            ok = MoveRef(rpn, pos + 1, pos + 3, dRow, dCol, false);
        else if (base == kTArea)
            ok = MoveRef(rpn, pos + 1, pos + 5, dRow, dCol, false)
                && MoveRef(rpn, pos + 3, pos + 7, dRow, dCol, false);
        else if (base == kTRef3d)
            ok = MoveRef(rpn, pos + 3, pos + 5, dRow, dCol, false);
        else if (base == kTArea3d)
            ok = MoveRef(rpn, pos + 3, pos + 7, dRow, dCol, false)
                && MoveRef(rpn, pos + 5, pos + 9, dRow, dCol, false);
        if (!ok)
            return false;
        pos += n;
    }
    return true;
}

} // namespace vartesk::xls
