// A streaming JSON writer for the documents the command-line tool prints.
#pragma once

#include "base/text_formats.h"

#include <array>
#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

namespace vartesk {

// A streaming writer: objects one member a line, arrays of plain values on one line.
class TJsonWriter
{
public:
    explicit TJsonWriter(std::ostream &out)
        : Out(out)
    { }

    void BeginObject()
    {
        BeforeValue();
        Out << '{';
        Levels.push_back({false, 0});
    }
    void EndObject() { End('}'); }
    // A flat array of numbers or strings stays on one line.
    void BeginArray(bool flat = false)
    {
        BeforeValue();
        Out << '[';
        Levels.push_back({flat, 0});
    }
    void EndArray() { End(']'); }
    void Key(const char *name)
    {
        BeforeValue();
        WriteString(name);
        Out << ": ";
        KeyWritten = true;
    }

    void Number(double v)
    {
        BeforeValue();
        Out << RoundTripNumber(v);
    }
    void Int(long long v)
    {
        BeforeValue();
        Out << v;
    }
    void Bool(bool v)
    {
        BeforeValue();
        Out << (v ? "true" : "false");
    }
    void Null()
    {
        BeforeValue();
        Out << "null";
    }
    void String(const std::string &s)
    {
        BeforeValue();
        WriteString(s);
    }

    template<size_t N>
    void Numbers(const std::array<double, N> &values)
    {
        BeginArray(true);
        for (double v : values)
            Number(v);
        EndArray();
    }

    void Finish() { Out << '\n'; }

private:
    struct TLevel
    {
        bool Flat;
        int Count;
    };

    void Indent()
    {
        Out << '\n';
        for (size_t i = 0; i < Levels.size(); ++i)
            Out << "  ";
    }

    void BeforeValue()
    {
        if (KeyWritten) {
            KeyWritten = false;
            return;
        }
        if (Levels.empty())
            return;
        TLevel &level = Levels.back();
        if (level.Count++ > 0)
            Out << (level.Flat ? ", " : ",");
        if (!level.Flat)
            Indent();
    }

    void End(char close)
    {
        const TLevel level = Levels.back();
        Levels.pop_back();
        if (level.Count > 0 && !level.Flat)
            Indent();
        Out << close;
    }

    void WriteString(const std::string &s) { Out << JsonQuoted(s); }

    std::ostream &Out;
    std::vector<TLevel> Levels;
    bool KeyWritten = false;
};

} // namespace vartesk
