#pragma once

#include <QEvent>
#include <QLabel>

#include <algorithm>
#include <string>
#include <vector>

// Records a label's text each time it is painted, a change of text once: what a user saw, however fast the
// tester answered between two polls.
class PaintedTexts : public QObject {
public:
    explicit PaintedTexts(QLabel* label) : label_(label) { label_->installEventFilter(this); }
    ~PaintedTexts() override { label_->removeEventFilter(this); }
    PaintedTexts(const PaintedTexts&) = delete;
    PaintedTexts& operator=(const PaintedTexts&) = delete;

    const std::vector<std::string>& Texts() const { return texts_; }
    bool Saw(const std::string& text) const { return std::find(texts_.begin(), texts_.end(), text) != texts_.end(); }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == label_ && event->type() == QEvent::Paint) {
            const std::string text = label_->text().toStdString();
            if (texts_.empty() || texts_.back() != text) {
                texts_.push_back(text);
            }
        }
        return false;
    }

private:
    QLabel* label_;
    std::vector<std::string> texts_;
};
