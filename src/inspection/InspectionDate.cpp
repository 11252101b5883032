#include "inspection/InspectionDate.h"

#include <array>
#include <cstdio>
#include <vector>

namespace vanto {
namespace {

struct Era {
    const char* Name;
    char Initial;
    InspectionDate First;
    InspectionDate Last; // Year 0: still running
};

// The eras a next inspection can fall in, newest first. Each starts on the day after its predecessor's last.
constexpr std::array<Era, 3> Eras{{
    {"令和", 'R', {2019, 5, 1}, {}},
    {"平成", 'H', {1989, 1, 8}, {2019, 4, 30}},
    {"昭和", 'S', {1926, 12, 25}, {1989, 1, 7}},
}};

// No vehicle's inspection falls before this year: an earlier four-digit number is not a year.
constexpr int FirstGregorianYear = 1900;

enum class TokenKind { Number, Era, Year, Month, Day, Separator };

struct Token {
    TokenKind Kind;
    int Value = 0;  // the number, the era's index, or the separator character
    int Digits = 0; // digits of a number; 0 for 元 (the first year of an era)
};

// Characters the reader takes as another: full-width digits, letters and punctuation as their half-width forms,
// and the dashes an input method gives for "-".
struct Replacement {
    char32_t From;
    char To;
};
constexpr std::array<Replacement, 6> Replacements{
    {{U'／', '/'}, {U'－', '-'}, {U'．', '.'}, {U'−', '-'}, {U'ー', '-'}, {U'\u3000', ' '}}};

// Decodes one UTF-8 character at `pos` (advancing it); U+FFFD for a malformed sequence.
char32_t NextCharacter(std::string_view text, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(text[pos++]);
    const int extra = lead < 0x80 ? 0 : (lead >> 5) == 0x6 ? 1 : (lead >> 4) == 0xE ? 2 : (lead >> 3) == 0x1E ? 3 : -1;
    if (extra < 0) {
        return U'\uFFFD';
    }
    char32_t c = extra == 0 ? lead : lead & (0x3F >> extra);
    for (int i = 0; i < extra; ++i) {
        if (pos >= text.size() || (static_cast<unsigned char>(text[pos]) & 0xC0) != 0x80) {
            return U'\uFFFD';
        }
        c = (c << 6) | (static_cast<unsigned char>(text[pos++]) & 0x3F);
    }
    return c;
}

// The text with full-width digits, letters and punctuation made half-width; other characters stay UTF-8.
std::string HalfWidth(std::string_view text) {
    std::string out;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t start = pos;
        const char32_t c = NextCharacter(text, pos);
        if (c >= U'０' && c <= U'９') {
            out += static_cast<char>('0' + (c - U'０'));
        } else if (c >= U'Ａ' && c <= U'Ｚ') {
            out += static_cast<char>('A' + (c - U'Ａ'));
        } else if (c >= U'ａ' && c <= U'ｚ') {
            out += static_cast<char>('a' + (c - U'ａ'));
        } else {
            bool replaced = false;
            for (const Replacement& r : Replacements) {
                if (c == r.From) {
                    out += r.To;
                    replaced = true;
                    break;
                }
            }
            if (!replaced) {
                out.append(text.substr(start, pos - start));
            }
        }
    }
    return out;
}

std::optional<std::vector<Token>> Tokens(std::string_view text) {
    constexpr std::array<std::pair<std::string_view, TokenKind>, 3> units{
        {{"年", TokenKind::Year}, {"月", TokenKind::Month}, {"日", TokenKind::Day}}};
    std::vector<Token> tokens;
    std::size_t pos = 0;
    auto take = [&](std::string_view word) {
        if (text.substr(pos).starts_with(word)) {
            pos += word.size();
            return true;
        }
        return false;
    };
    while (pos < text.size()) {
        const char c = text[pos];
        if (c == ' ' || c == '\t') {
            ++pos;
            continue;
        }
        if (c >= '0' && c <= '9') {
            Token number{TokenKind::Number};
            for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9' && number.Digits < 5; ++pos) {
                number.Value = number.Value * 10 + (text[pos] - '0');
                ++number.Digits;
            }
            tokens.push_back(number);
            continue;
        }
        if (c == '/' || c == '-' || c == '.') {
            tokens.push_back({TokenKind::Separator, c});
            ++pos;
            continue;
        }
        if (take("元")) {
            tokens.push_back({TokenKind::Number, 1, 0});
            continue;
        }
        bool known = false;
        for (const auto& [word, kind] : units) {
            if (take(word)) {
                tokens.push_back({kind});
                known = true;
                break;
            }
        }
        for (std::size_t e = 0; !known && e < Eras.size(); ++e) {
            const char upper = static_cast<char>(c & ~0x20);
            if (take(Eras[e].Name) || (upper == Eras[e].Initial && (++pos, true))) {
                tokens.push_back({TokenKind::Era, static_cast<int>(e)});
                known = true;
            }
        }
        if (!known) {
            return std::nullopt;
        }
    }
    return tokens;
}

// A typed day: 1 or more, at most two digits; -1 for anything else (0 would mean a month alone).
int DayValue(const Token& token) {
    return token.Digits <= 2 && token.Value >= 1 ? token.Value : -1;
}

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    constexpr std::array<int, 12> days{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : days[static_cast<std::size_t>(month - 1)];
}

// True when the date (or, for a month alone, some day of the month) lies in the era.
bool WithinEra(const Era& era, const InspectionDate& date) {
    auto month = [](const InspectionDate& d) { return InspectionDate{d.Year, d.Month, 0}; };
    if (date.Day == 0) {
        return month(date) >= month(era.First) && (era.Last.Year == 0 || month(date) <= month(era.Last));
    }
    return date >= era.First && (era.Last.Year == 0 || date <= era.Last);
}

} // namespace

std::string InspectionDate::Text() const {
    char buffer[16];
    if (Day == 0) {
        std::snprintf(buffer, sizeof buffer, "%04d-%02d", Year, Month);
    } else {
        std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", Year, Month, Day);
    }
    return buffer;
}

std::optional<InspectionDate> ReadInspectionDate(std::string_view text) {
    const auto tokens = Tokens(HalfWidth(text));
    if (!tokens) {
        return std::nullopt;
    }
    const std::vector<Token>& t = *tokens;
    std::size_t i = 0;
    const Era* era = nullptr;
    if (i < t.size() && t[i].Kind == TokenKind::Era) {
        era = &Eras[static_cast<std::size_t>(t[i++].Value)];
    }
    auto is = [&](std::size_t at, TokenKind kind) { return at < t.size() && t[at].Kind == kind; };
    // Year, month and maybe day: "Y年M月[D日]", or numbers joined by one separator "Y/M[/D]".
    if (!is(i, TokenKind::Number)) {
        return std::nullopt;
    }
    const Token year = t[i];
    int month = 0;
    int day = 0;
    std::size_t end = 0;
    if (is(i + 1, TokenKind::Year) && is(i + 2, TokenKind::Number) && is(i + 3, TokenKind::Month)) {
        month = t[i + 2].Digits <= 2 ? t[i + 2].Value : 0;
        end = i + 4;
        if (is(end, TokenKind::Number) && is(end + 1, TokenKind::Day)) {
            day = DayValue(t[end]);
            end += 2;
        }
    } else if (is(i + 1, TokenKind::Separator) && is(i + 2, TokenKind::Number) && year.Digits > 0) {
        month = t[i + 2].Digits <= 2 ? t[i + 2].Value : 0;
        end = i + 3;
        if (is(end, TokenKind::Separator) && t[end].Value == t[i + 1].Value && is(end + 1, TokenKind::Number)) {
            day = DayValue(t[end + 1]);
            end += 2;
        }
    } else {
        return std::nullopt;
    }
    if (end != t.size() || month < 1 || month > 12 || day < 0) {
        return std::nullopt;
    }
    // 元 stands only for an era's first year.
    for (std::size_t n = i + 1; n < end; ++n) {
        if (t[n].Kind == TokenKind::Number && t[n].Digits == 0) {
            return std::nullopt;
        }
    }
    InspectionDate date{year.Value, month, day};
    if (era) {
        if (year.Digits > 2 || year.Value < 1) {
            return std::nullopt;
        }
        date.Year = era->First.Year + year.Value - 1;
    } else if (year.Digits != 4 || year.Value < FirstGregorianYear) {
        return std::nullopt;
    }
    if (day > DaysInMonth(date.Year, month) || (era && !WithinEra(*era, date))) {
        return std::nullopt;
    }
    return date;
}

} // namespace vanto
