// A strict JSON reader for the tests of the documents the tool prints.
#pragma once

#include <cctype>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace vartesk::test {

// A value as read: keeps member order; the reader refuses anything RFC 8259 does not allow.
struct TJson
{
    enum TKind { Null, Bool, Number, String, Array, Object } Kind = Null;
    bool Flag = false;
    double Value = 0;
    std::string Text;
    std::vector<TJson> Items;
    std::vector<std::pair<std::string, TJson>> Members;

    const TJson &operator[](const std::string &key) const
    {
        for (const auto &[k, v] : Members)
            if (k == key)
                return v;
        throw std::runtime_error("no member " + key);
    }
    const TJson &operator[](size_t i) const { return Items.at(i); }
    std::vector<std::string> Keys() const
    {
        std::vector<std::string> keys;
        for (const auto &m : Members)
            keys.push_back(m.first);
        return keys;
    }
};

class TJsonParser
{
public:
    explicit TJsonParser(const std::string &text)
        : S(text)
    { }

    TJson Document()
    {
        TJson v = Value();
        Blanks();
        if (P != S.size())
            Fail("text after the document");
        return v;
    }

private:
    [[noreturn]] void Fail(const std::string &what) const
    {
        throw std::runtime_error("JSON at " + std::to_string(P) + ": " + what);
    }
    void Blanks()
    {
        while (P < S.size() && (S[P] == ' ' || S[P] == '\n' || S[P] == '\r' || S[P] == '\t'))
            ++P;
    }
    bool Take(char c)
    {
        Blanks();
        if (P < S.size() && S[P] == c) {
            ++P;
            return true;
        }
        return false;
    }
    void Expect(char c)
    {
        if (!Take(c))
            Fail(std::string("expected ") + c);
    }
    bool Word(const char *w)
    {
        const std::string word = w;
        if (S.compare(P, word.size(), word) != 0)
            return false;
        P += word.size();
        return true;
    }

    std::string StringBody()
    {
        Expect('"');
        std::string out;
        while (true) {
            if (P >= S.size())
                Fail("unterminated string");
            const char c = S[P++];
            if (c == '"')
                return out;
            if (static_cast<unsigned char>(c) < 0x20)
                Fail("raw control character in a string");
            if (c != '\\') {
                out += c;
                continue;
            }
            const char e = S.at(P++);
            const std::string simple = "\"\\/bfnrt";
            const std::string meant = "\"\\/\b\f\n\r\t";
            if (const auto at = simple.find(e); at != std::string::npos) {
                out += meant[at];
            } else if (e == 'u') {
                const unsigned code = std::stoul(S.substr(P, 4), nullptr, 16);
                P += 4;
                if (code >= 0x80)
                    Fail("only control characters are expected as \\u escapes");
                out += char(code);
            } else {
                Fail("bad escape");
            }
        }
    }

    TJson Value()
    {
        Blanks();
        TJson v;
        if (P >= S.size())
            Fail("unexpected end");
        const char c = S[P];
        if (c == '{') {
            v.Kind = TJson::Object;
            ++P;
            if (Take('}'))
                return v;
            do {
                Blanks();
                std::string key = StringBody();
                Expect(':');
                v.Members.emplace_back(std::move(key), Value());
            } while (Take(','));
            Expect('}');
        } else if (c == '[') {
            v.Kind = TJson::Array;
            ++P;
            if (Take(']'))
                return v;
            do
                v.Items.push_back(Value());
            while (Take(','));
            Expect(']');
        } else if (c == '"') {
            v.Kind = TJson::String;
            v.Text = StringBody();
        } else if (Word("null")) {
            v.Kind = TJson::Null;
        } else if (Word("true")) {
            v.Kind = TJson::Bool;
            v.Flag = true;
        } else if (Word("false")) {
            v.Kind = TJson::Bool;
        } else {
            // JSON's number grammar: no leading '+', no bare '.', no hex, no inf/nan.
            const size_t start = P;
            if (S[P] == '-')
                ++P;
            auto digits = [&] {
                const size_t from = P;
                while (P < S.size() && std::isdigit(static_cast<unsigned char>(S[P])))
                    ++P;
                if (P == from)
                    Fail("digits expected");
            };
            if (P < S.size() && S[P] == '0')
                ++P;
            else
                digits();
            if (P < S.size() && S[P] == '.') {
                ++P;
                digits();
            }
            if (P < S.size() && (S[P] == 'e' || S[P] == 'E')) {
                ++P;
                if (P < S.size() && (S[P] == '+' || S[P] == '-'))
                    ++P;
                digits();
            }
            v.Kind = TJson::Number;
            v.Value = std::strtod(S.substr(start, P - start).c_str(), nullptr);
        }
        return v;
    }

    const std::string &S;
    size_t P = 0;
};

inline TJson ParseJson(const std::string &text)
{
    return TJsonParser(text).Document();
}

} // namespace vartesk::test
