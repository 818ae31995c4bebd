#include "rtf_reader.h"

#include "base/cp1252.h"
#include "base/text.h"

#include <cstdio>
#include <string>
#include <vector>

namespace rtf {
namespace {

struct Colour
{
    int r = 0, g = 0, b = 0;
};

struct State
{
    bool bold = false, italic = false, underline = false;
    int halfPoints = 24;
    int colour = 0;
    int unicodeSkip = 1;
    bool skip = false;      // inside a destination that is not text
    bool colourTable = false;
};

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

class Converter
{
public:
    explicit Converter(std::string_view doc) : m_doc(doc) { m_stack.push_back(State{}); }

    std::string run()
    {
        while (m_pos < m_doc.size()) {
            const char c = m_doc[m_pos];
            if (c == '{') {
                m_stack.push_back(m_stack.back());
                ++m_pos;
            } else if (c == '}') {
                if (m_stack.size() > 1)
                    m_stack.pop_back();
                ++m_pos;
            } else if (c == '\\') {
                ++m_pos;
                controlWord();
            } else {
                ++m_pos;
                if (c != '\r' && c != '\n')
                    character(static_cast<unsigned char>(c));
            }
        }
        endParagraph(false);
        return "<html><body>" + m_html + "</body></html>";
    }

private:
    State& state() { return m_stack.back(); }

    void controlWord()
    {
        if (m_pos >= m_doc.size())
            return;
        const char c = m_doc[m_pos];
        if (!isLetter(c)) {
            ++m_pos;
            symbol(c);
            return;
        }
        const std::size_t start = m_pos;
        while (m_pos < m_doc.size() && isLetter(m_doc[m_pos]) && m_pos - start < 32)
            ++m_pos;
        const std::string word(m_doc.substr(start, m_pos - start));
        bool hasParam = false;
        long param = 0;
        bool negative = false;
        if (m_pos < m_doc.size() && m_doc[m_pos] == '-' && m_pos + 1 < m_doc.size() && isDigit(m_doc[m_pos + 1])) {
            negative = true;
            ++m_pos;
        }
        int digits = 0;
        while (m_pos < m_doc.size() && isDigit(m_doc[m_pos])) {
            if (digits++ < 9)
                param = param * 10 + (m_doc[m_pos] - '0');
            hasParam = true;
            ++m_pos;
        }
        if (negative)
            param = -param;
        if (m_pos < m_doc.size() && m_doc[m_pos] == ' ')
            ++m_pos;
        apply(word, hasParam, param);
    }

    void symbol(char c)
    {
        switch (c) {
        case '\\':
        case '{':
        case '}':
            character(static_cast<unsigned char>(c));
            break;
        case '~':
            text(0xA0);
            break;
        case '_':
            text('-');
            break;
        case '*':
            state().skip = true;
            break;
        case '\'': {
            if (m_pos + 1 < m_doc.size()) {
                const int hi = text::hexDigitValue(m_doc[m_pos]), lo = text::hexDigitValue(m_doc[m_pos + 1]);
                if (hi >= 0 && lo >= 0) {
                    m_pos += 2;
                    character(static_cast<unsigned char>(hi * 16 + lo));
                }
            }
            break;
        }
        case '\r':
        case '\n':
            endParagraph(true);
            break;
        default:
            break;
        }
    }

    void apply(const std::string& w, bool hasParam, long p)
    {
        State& s = state();
        const bool on = !hasParam || p != 0;
        if (w == "fonttbl" || w == "stylesheet" || w == "info" || w == "pict" || w == "header" ||
            w == "footer" || w == "headerl" || w == "headerr" || w == "footerl" || w == "footerr" ||
            w == "object" || w == "field" || w == "fldinst" || w == "listtable" || w == "listoverridetable" ||
            w == "generator" || w == "themedata" || w == "latentstyles" || w == "xmlnstbl")
            s.skip = true;
        else if (w == "colortbl") {
            s.skip = true;
            s.colourTable = true;
            m_colours.clear();
            m_colours.push_back(Colour{});
        } else if (s.colourTable && (w == "red" || w == "green" || w == "blue")) {
            Colour& c = m_colours.back();
            (w == "red" ? c.r : w == "green" ? c.g : c.b) = static_cast<int>(p & 0xFF);
        } else if (w == "par")
            endParagraph(true);
        else if (w == "line")
            m_paragraph += "<br>";
        else if (w == "tab")
            m_paragraph += "&nbsp;&nbsp;&nbsp;&nbsp;";
        else if (w == "pard")
            m_align = "left";
        else if (w == "qc")
            m_align = "center";
        else if (w == "qr")
            m_align = "right";
        else if (w == "qj")
            m_align = "justify";
        else if (w == "ql")
            m_align = "left";
        else if (w == "plain") {
            s.bold = s.italic = s.underline = false;
            s.halfPoints = 24;
            s.colour = 0;
        } else if (w == "b")
            s.bold = on;
        else if (w == "i")
            s.italic = on;
        else if (w == "ul")
            s.underline = on;
        else if (w == "ulnone")
            s.underline = false;
        else if (w == "fs" && hasParam && p > 0 && p < 400)
            s.halfPoints = static_cast<int>(p);
        else if (w == "cf" && hasParam && p >= 0)
            s.colour = static_cast<int>(p);
        else if (w == "uc" && hasParam && p >= 0 && p < 10)
            s.unicodeSkip = static_cast<int>(p);
        else if (w == "u" && hasParam) {
            long cp = p < 0 ? p + 65536 : p;
            if (cp > 0 && cp < 0x110000)
                text(static_cast<char32_t>(cp));
            skipFallback(s.unicodeSkip);
        } else if (w == "emdash")
            text(0x2014);
        else if (w == "endash")
            text(0x2013);
        else if (w == "bullet")
            text(0x2022);
        else if (w == "lquote")
            text(0x2018);
        else if (w == "rquote")
            text(0x2019);
        else if (w == "ldblquote")
            text(0x201C);
        else if (w == "rdblquote")
            text(0x201D);
    }

    // The characters standing in for a \u character in readers without Unicode.
    void skipFallback(int count)
    {
        while (count > 0 && m_pos < m_doc.size()) {
            const char c = m_doc[m_pos];
            if (c == '{' || c == '}')
                return;
            if (c == '\\') {
                if (m_pos + 3 < m_doc.size() && m_doc[m_pos + 1] == '\'')
                    m_pos += 4;
                else
                    return;
            } else
                ++m_pos;
            --count;
        }
    }

    void character(unsigned char byte)
    {
        if (state().colourTable && byte == ';') {
            m_colours.push_back(Colour{});
            return;
        }
        text(cp1252::toCodePoint(byte));
    }

    void text(char32_t cp)
    {
        if (state().skip)
            return;
        const std::string style = styleOf(state());
        if (style != m_spanStyle) {
            if (!m_spanStyle.empty())
                m_paragraph += "</span>";
            if (!style.empty())
                m_paragraph += "<span style=\"" + style + "\">";
            m_spanStyle = style;
        }
        switch (cp) {
        case '<': m_paragraph += "&lt;"; return;
        case '>': m_paragraph += "&gt;"; return;
        case '&': m_paragraph += "&amp;"; return;
        case '"': m_paragraph += "&quot;"; return;
        default: break;
        }
        if (cp < 0x20)
            return;
        appendUtf8(cp);
    }

    void appendUtf8(char32_t cp)
    {
        if (cp >= 0xD800 && cp < 0xE000)
            cp = U'?';
        if (cp < 0x80)
            m_paragraph += static_cast<char>(cp);
        else if (cp < 0x800) {
            m_paragraph += static_cast<char>(0xC0 | (cp >> 6));
            m_paragraph += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            m_paragraph += static_cast<char>(0xE0 | (cp >> 12));
            m_paragraph += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            m_paragraph += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            m_paragraph += static_cast<char>(0xF0 | (cp >> 18));
            m_paragraph += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            m_paragraph += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            m_paragraph += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }

    std::string styleOf(const State& s) const
    {
        std::string style;
        if (s.bold)
            style += "font-weight:bold;";
        if (s.italic)
            style += "font-style:italic;";
        if (s.underline)
            style += "text-decoration:underline;";
        if (s.halfPoints != 24)
            style += "font-size:" + std::to_string(s.halfPoints / 2) + "pt;";
        if (s.colour > 0 && static_cast<std::size_t>(s.colour) < m_colours.size()) {
            const Colour& c = m_colours[static_cast<std::size_t>(s.colour)];
            char buf[16];
            std::snprintf(buf, sizeof buf, "#%02x%02x%02x", c.r, c.g, c.b);
            style += std::string("color:") + buf + ";";
        }
        return style;
    }

    void endParagraph(bool explicitBreak)
    {
        if (!m_spanStyle.empty()) {
            m_paragraph += "</span>";
            m_spanStyle.clear();
        }
        if (!explicitBreak && m_paragraph.empty())
            return;
        m_html += "<p style=\"margin:0; text-align:" + m_align + "\">";
        m_html += m_paragraph.empty() ? "&nbsp;" : m_paragraph;
        m_html += "</p>\n";
        m_paragraph.clear();
    }

    std::string_view m_doc;
    std::size_t m_pos = 0;
    std::vector<State> m_stack;
    std::vector<Colour> m_colours{Colour{}};
    std::string m_html;
    std::string m_paragraph;
    std::string m_spanStyle;
    std::string m_align = "left";
};

} // namespace

std::string toHtml(std::string_view document) { return Converter(document).run(); }

} // namespace rtf
