// A canvas with fixed metrics that records every drawing call as one line of text, so tests compare positions
// exactly. A character is 10 units wide per point (ASCII 5), a line 8 units high per point.
#pragma once

#include "print/Canvas.h"

#include <string>
#include <vector>

namespace vanto::test {

class RecordingCanvas final : public Canvas {
public:
    RecordingCanvas(int width = 4800, int height = 6800) : width_(width), height_(height) {}

    int PageWidth() const override { return width_; }
    int PageHeight() const override { return height_; }
    void SetFontFace(const std::string& face) override { Calls.push_back("face " + face); }
    void SetFontSize(int points) override {
        size_ = points;
        Calls.push_back("font " + std::to_string(points));
    }
    void SetPenWidth(int width) override { Calls.push_back("pen " + std::to_string(width)); }
    int TextWidth(const std::string& text) const override {
        int width = 0;
        for (const unsigned char c : text) {
            width += c < 0x80 ? 5 : (c & 0xC0) == 0xC0 ? 10 : 0; // per code point
        }
        return width * size_;
    }
    int TextHeight(const std::string&) const override { return 8 * size_; }
    void TextAt(int x, int y, const std::string& text) override {
        Calls.push_back("text " + std::to_string(x) + " " + std::to_string(y) + " " + text);
    }
    void Line(int x1, int y1, int x2, int y2) override { Calls.push_back("line " + Join({x1, y1, x2, y2})); }
    void RoundRect(int x1, int y1, int x2, int y2, int ew, int eh) override {
        Calls.push_back("frame " + Join({x1, y1, x2, y2, ew, eh}));
    }

    // The calls that start with the prefix ("text", "line 20", ...).
    std::vector<std::string> Starting(const std::string& prefix) const {
        std::vector<std::string> found;
        for (const std::string& call : Calls) {
            if (call.rfind(prefix, 0) == 0) {
                found.push_back(call);
            }
        }
        return found;
    }
    // The font size in force when the text was drawn (0 when it was not drawn).
    int SizeOf(const std::string& text) const {
        int size = 0;
        for (const std::string& call : Calls) {
            if (call.rfind("font ", 0) == 0) {
                size = std::stoi(call.substr(5));
            } else if (call.rfind("text ", 0) == 0 && call.size() >= text.size() &&
                       call.compare(call.size() - text.size(), text.size(), text) == 0 &&
                       call[call.size() - text.size() - 1] == ' ') {
                return size;
            }
        }
        return 0;
    }

    std::vector<std::string> Calls;

private:
    static std::string Join(std::initializer_list<int> values) {
        std::string text;
        for (const int v : values) {
            text += (text.empty() ? "" : " ") + std::to_string(v);
        }
        return text;
    }
    int width_;
    int height_;
    int size_ = 12;
};

} // namespace vanto::test
