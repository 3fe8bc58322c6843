#pragma once

// A strict little JSON reader for checking the tool's documents: it refuses anything that is
// not JSON, so a badly escaped string fails the test.

#include <cctype>
#include <cstdlib>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

namespace korvex::test {

struct Json {
    using Array = std::vector<Json>;
    using Object = std::map<std::string, Json>;
    std::variant<std::nullptr_t, bool, double, std::string, std::shared_ptr<Array>,
                 std::shared_ptr<Object>>
        value;
    std::vector<std::string> keyOrder; // objects: keys as written

    bool IsNull() const { return std::holds_alternative<std::nullptr_t>(value); }
    double Num() const { return std::get<double>(value); }
    bool Bool() const { return std::get<bool>(value); }
    const std::string& Str() const { return std::get<std::string>(value); }
    const Array& Arr() const { return *std::get<std::shared_ptr<Array>>(value); }
    const Object& Obj() const { return *std::get<std::shared_ptr<Object>>(value); }
    const Json& operator[](const std::string& key) const { return Obj().at(key); }
    const Json& operator[](std::size_t i) const { return Arr().at(i); }
    std::size_t size() const
    {
        if (auto a = std::get_if<std::shared_ptr<Array>>(&value))
            return (*a)->size();
        return Obj().size();
    }
};

class JsonParser {
public:
    static Json Parse(const std::string& text)
    {
        JsonParser p(text);
        Json v = p.Value();
        p.Space();
        if (p.i_ != text.size())
            throw std::runtime_error("text after the document");
        return v;
    }

private:
    explicit JsonParser(const std::string& t) : t_(t) {}

    [[noreturn]] void Fail(const char* what) const
    {
        throw std::runtime_error(std::string(what) + " at " + std::to_string(i_));
    }
    void Space()
    {
        while (i_ < t_.size() &&
               (t_[i_] == ' ' || t_[i_] == '\n' || t_[i_] == '\r' || t_[i_] == '\t'))
            ++i_;
    }
    bool Eat(char c)
    {
        Space();
        if (i_ < t_.size() && t_[i_] == c) {
            ++i_;
            return true;
        }
        return false;
    }
    void Expect(char c)
    {
        if (!Eat(c))
            Fail("unexpected character");
    }
    bool Word(const char* w)
    {
        const std::string s(w);
        if (t_.compare(i_, s.size(), s) == 0) {
            i_ += s.size();
            return true;
        }
        return false;
    }

    Json Value()
    {
        Space();
        if (i_ >= t_.size())
            Fail("end of text");
        Json j;
        const char c = t_[i_];
        if (c == '{') {
            ++i_;
            auto obj = std::make_shared<Json::Object>();
            if (!Eat('}')) {
                do {
                    Space();
                    std::string key = String();
                    Expect(':');
                    j.keyOrder.push_back(key);
                    (*obj)[key] = Value();
                } while (Eat(','));
                Expect('}');
            }
            j.value = obj;
        } else if (c == '[') {
            ++i_;
            auto arr = std::make_shared<Json::Array>();
            if (!Eat(']')) {
                do
                    arr->push_back(Value());
                while (Eat(','));
                Expect(']');
            }
            j.value = arr;
        } else if (c == '"') {
            j.value = String();
        } else if (Word("null")) {
            j.value = nullptr;
        } else if (Word("true")) {
            j.value = true;
        } else if (Word("false")) {
            j.value = false;
        } else {
            j.value = Number();
        }
        return j;
    }

    double Number()
    {
        const std::size_t start = i_;
        if (i_ < t_.size() && t_[i_] == '-')
            ++i_;
        if (i_ >= t_.size() || !std::isdigit(static_cast<unsigned char>(t_[i_])))
            Fail("bad number");
        if (t_[i_] == '0' && i_ + 1 < t_.size() &&
            std::isdigit(static_cast<unsigned char>(t_[i_ + 1])))
            Fail("leading zero");
        while (i_ < t_.size() &&
               (std::isdigit(static_cast<unsigned char>(t_[i_])) || t_[i_] == '.' ||
                t_[i_] == 'e' || t_[i_] == 'E' || t_[i_] == '+' || t_[i_] == '-'))
            ++i_;
        const std::string text = t_.substr(start, i_ - start);
        char* end = nullptr;
        const double v = std::strtod(text.c_str(), &end);
        if (*end != '\0')
            Fail("bad number");
        return v;
    }

    void AppendUtf8(std::string& out, unsigned cp)
    {
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }

    std::string String()
    {
        if (i_ >= t_.size() || t_[i_] != '"')
            Fail("string expected");
        ++i_;
        std::string out;
        while (true) {
            if (i_ >= t_.size())
                Fail("open string");
            const unsigned char c = static_cast<unsigned char>(t_[i_++]);
            if (c == '"')
                return out;
            if (c < 0x20)
                Fail("control character in string");
            if (c != '\\') {
                out.push_back(static_cast<char>(c));
                continue;
            }
            if (i_ >= t_.size())
                Fail("open escape");
            const char e = t_[i_++];
            switch (e) {
                case '"':
                    out.push_back('"');
                    break;
                case '\\':
                    out.push_back('\\');
                    break;
                case '/':
                    out.push_back('/');
                    break;
                case 'n':
                    out.push_back('\n');
                    break;
                case 'r':
                    out.push_back('\r');
                    break;
                case 't':
                    out.push_back('\t');
                    break;
                case 'b':
                    out.push_back('\b');
                    break;
                case 'f':
                    out.push_back('\f');
                    break;
                case 'u': {
                    if (i_ + 4 > t_.size())
                        Fail("short \\u");
                    const unsigned cp =
                        static_cast<unsigned>(std::stoul(t_.substr(i_, 4), nullptr, 16));
                    i_ += 4;
                    AppendUtf8(out, cp);
                    break;
                }
                default:
                    Fail("bad escape");
            }
        }
    }

    const std::string& t_;
    std::size_t i_ = 0;
};

} // namespace korvex::test
