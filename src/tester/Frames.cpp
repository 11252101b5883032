#include "tester/Frames.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

namespace vanto {

namespace {
std::string_view AsText(std::span<const uint8_t> buffer) {
    return std::string_view(reinterpret_cast<const char*>(buffer.data()), buffer.size());
}

uint8_t At(std::span<const uint8_t> buffer, std::size_t offset) {
    return offset < buffer.size() ? buffer[offset] : 0;
}

// The letters and data of a command, or no letters for an unknown command.
void Command(int group, int selector, int first, int second, std::string_view writeData, std::string& letters,
             std::string& data) {
    char number[32];
    switch (group) {
    case GroupLink:
        letters = selector == 255 ? "AB" : selector == 0 ? "AA" : selector == 5 ? "CB" : "";
        break;
    case GroupReference:
        switch (selector) {
        case 1:
            letters = "DC";
            break;
        case 2:
            letters = "DD";
            std::snprintf(number, sizeof number, "%d", first);
            data = number;
            break;
        case 3:
            letters = "DE";
            data = writeData.substr(0, writeData.find('\0'));
            break;
        case 4:
            letters = "DF";
            std::snprintf(number, sizeof number, "%04X", static_cast<unsigned>(first) & 0xFFFFu);
            data = std::string(number) + (second == 0 ? "DATA" : "VALUE");
            data.push_back('\0');
            break;
        case 5:
            letters = "DD";
            data = "ALL";
            break;
        default:
            break;
        }
        break;
    case GroupContinuous:
        if (selector == 1) {
            letters = "CD";
        } else if (selector == 2) {
            letters = "DG";
            data = "ITEM";
        } else if (selector == 3) {
            letters = "DG";
            std::snprintf(number, sizeof number, "MIN=%d,MAX=%d", first, second);
            data = number;
        }
        break;
    case GroupRecord:
        letters = "DA";
        data = {static_cast<char>(selector & 0xFF), static_cast<char>(first & 0xFF), static_cast<char>(second & 0xFF)};
        break;
    default:
        break;
    }
}
} // namespace

int BuildCommandFrame(std::span<uint8_t> buffer, int group, int selector, int first, int second,
                      std::string_view writeData) {
    std::fill(buffer.begin(), buffer.end(), 0);
    std::string letters;
    std::string data;
    Command(group, selector, first, second, writeData, letters, data);
    // A payload that the length field or the buffer cannot carry builds nothing.
    if (letters.empty() || data.size() > 0xFFFF || data.size() + AnswerHeaderSize > buffer.size()) {
        return 0;
    }
    char length[8];
    std::snprintf(length, sizeof length, "%04X", static_cast<unsigned>(data.size()));
    std::string frame = "\x02" + letters + length + data;
    unsigned sum = 0;
    for (std::size_t i = 1; i < frame.size(); ++i) {
        sum += static_cast<uint8_t>(frame[i]);
    }
    char checksum[4];
    std::snprintf(checksum, sizeof checksum, "%02X", sum % 256);
    frame += checksum;
    frame += "\r\n";
    std::memcpy(buffer.data(), frame.data(), frame.size());
    return static_cast<int>(frame.size());
}

int CheckReceivedFrame(std::span<const uint8_t> buffer) {
    const std::string_view text = ZeroTerminatedText(buffer);
    if (text.find("AAN000") != std::string_view::npos && text.find("APP_V") == std::string_view::npos) {
        return -3;
    }
    return CheckAnswerFrame(buffer);
}

int CheckAnswerFrame(std::span<const uint8_t> buffer) {
    if (At(buffer, 1) == 255) {
        return -1;
    }
    int n = 0;
    for (std::size_t i = 7; i <= 10; ++i) {
        const int code = At(buffer, i);
        n = n * 16 + (code < 64 ? code - 48 : code - 55);
    }
    // The scan stays inside the buffer whatever length the answer claims.
    const auto claimed = static_cast<std::size_t>(std::max(10 + n, 10));
    const std::size_t last = buffer.empty() ? 0 : std::min(claimed, buffer.size() - 1);
    for (std::size_t i = 1; i <= last; ++i) {
        if (buffer[i] == 255) {
            return -1;
        }
    }
    return IsRefusal(buffer) ? -1 : 0;
}

bool IsRefusal(std::span<const uint8_t> buffer) {
    return At(buffer, 3) == 'A' && At(buffer, 4) == '0' && At(buffer, 5) == '0';
}

unsigned AnswerDataLength(std::span<const uint8_t> buffer) {
    if (buffer.size() < AnswerHeaderSize) {
        return 0;
    }
    return HexValue(AsText(buffer).substr(7, 4));
}

std::string_view AnswerData(std::span<const uint8_t> buffer) {
    if (buffer.size() < AnswerHeaderSize) {
        return {};
    }
    const std::size_t length = std::min<std::size_t>(AnswerDataLength(buffer), buffer.size() - AnswerHeaderSize);
    return AsText(buffer).substr(AnswerHeaderSize, length);
}

std::string_view ZeroTerminatedText(std::span<const uint8_t> buffer) {
    const std::string_view all = AsText(buffer);
    return all.substr(0, std::min(all.find('\0'), all.size()));
}

uint32_t HexValue(std::string_view text) {
    uint32_t value = 0;
    for (const char c : text) {
        int digit = -1;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        } else if (c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        }
        if (digit < 0) {
            break;
        }
        value = value * 16 + static_cast<uint32_t>(digit);
    }
    return value;
}

std::string_view CapabilityValue(std::string_view text, std::string_view key, bool& tooLong) {
    tooLong = false;
    const std::size_t at = text.find(key);
    if (at == std::string_view::npos) {
        return {};
    }
    std::string_view rest = text.substr(at + key.size());
    std::size_t count = 0;
    while (count < rest.size() && rest[count] != ',' && count < 8) {
        ++count;
    }
    tooLong = count >= 8;
    return rest.substr(0, count);
}

int32_t FindNumber(int mode, std::string_view key, std::string_view text) {
    if (mode < 1 || mode > 4) {
        return NumberAbsent;
    }
    const std::size_t at = text.find(key);
    if (at == std::string_view::npos) {
        return NumberAbsent;
    }
    const std::size_t after = at + key.size();
    if (mode >= 3) {
        return static_cast<int32_t>(after);
    }
    std::string_view value = text.substr(after);
    value = value.substr(0, value.find(','));
    bool negative = false;
    if (!value.empty() && (value.front() == '-' || value.front() == '+')) {
        negative = value.front() == '-';
        value.remove_prefix(1);
    }
    int64_t number = 0;
    for (const char c : value) {
        if (c < '0' || c > '9') {
            break;
        }
        number = std::min<int64_t>(number * 10 + (c - '0'), INT32_MAX);
    }
    return static_cast<int32_t>(negative ? -number : number);
}

} // namespace vanto
