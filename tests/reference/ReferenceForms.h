// GUI tests of the reference-value forms: a whole program against the emulated tester, the forms opened from the
// main menu, and the frames the program sent.
#pragma once

#include "app/ui/FormSet.h"
#include "reference/ReferenceFiles.h"
#include "reference/ReferenceTexts.h"
#include "reference/ui/ReferenceMenuForm.h"
#include "reference/ui/ReferenceReadForm.h"
#include "reference/ui/ReferenceWriteForm.h"
#include "support/AppFixture.h"
#include "support/Emulator.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace vanto::test {

using Lines = std::vector<std::string>;
using Texts = std::array<std::string, 6>;

inline const char* const Unplugged = "ターゲットデバイスが外されました!";

inline std::string Pad(std::string bytes, std::size_t width) {
    bytes.resize(width, ' ');
    return bytes;
}

// Set n of a scenario: header 21A03Bnn, vehicle "車nn", measurements "IDL=nn,", values "回転 nn,86,".
inline std::string SetJson(int n) {
    const std::string nn = (n < 10 ? "0" : "") + std::to_string(n);
    return R"({"header": "21A03B)" + nn + R"(", "info": {"vehicle": "車)" + nn +
           R"(", "type": "DBA-XY12", "engine": "MR20", "year": "2019年", "mileage": "45210", "comment": "点検"},
              "payload": "IDL=)" +
           nn + R"(,", "values": ["回転 )" + nn + R"(", "86"]})";
}

// A scenario with `sets` sets; `extra` adds top-level keys.
inline std::string Scenario(int sets, const std::string& extra = "", int capacity = 20) {
    std::string list;
    for (int n = 0; n < sets; ++n) {
        list += (n ? ", " : "") + SetJson(n);
    }
    return R"({"reference": {"capacity": )" + std::to_string(capacity) + R"(, "sets": [)" + list + "]}" +
           (extra.empty() ? "" : ", " + extra) + "}";
}

// The description text of set n as the tester holds it (without its line feed).
inline std::string SetData(int n, const std::string& vehicle) {
    const std::string nn = (n < 10 ? "0" : "") + std::to_string(n);
    const std::string record = Pad(Sjis(vehicle), 20) + Pad("DBA-XY12", 20) + Pad("MR20", 20) +
                               Pad(Sjis("2019年"), 20) + Pad("45210", 8) + Pad(Sjis("点検"), 128);
    return "21A03B" + nn + record + "IDL=" + nn + ",";
}

class ReferenceForms : public AppFixture {
protected:
    void Use(const std::string& scenario) {
        emulator = std::make_unique<Emulator>(folder, scenario);
        StartAndShow();
        menu = Forms().ReferenceMenu;
        read = Forms().ReferenceRead;
        write = Forms().ReferenceWrite;
    }
    void TearDown() override {
        AppFixture::TearDown();
        emulator.reset();
    }

    void OpenMenu() { Press(main, "参  考  値  管  理"); }
    // Lists the tester's sets from the menu; true once the reading form shows them.
    bool ListSets() {
        Named<QPushButton>(menu, "テスターより参考値データ読み込み、削除")->click();
        return QTest::qWaitFor([this] { return read->isVisible(); }, 10000);
    }
    static bool Enabled(QWidget* form, const char* caption) { return Named<QPushButton>(form, caption)->isEnabled(); }
    // Presses a disabled button, to reach the handler's own guard behind it.
    static void PressDisabled(QWidget* form, const char* caption) {
        Named<QPushButton>(form, caption)->setEnabled(true);
        Press(form, caption);
    }
    QComboBox* Sets() const { return Named<QComboBox>(read, "テスターの参考値"); }
    Lines Entries() const {
        Lines entries;
        for (int i = 0; i < Sets()->count(); ++i) {
            entries.push_back(Sets()->itemText(i).toStdString());
        }
        return entries;
    }
    // A description field of the form, known by its caption.
    static QLineEdit* Field(QWidget* form, InfoField field) {
        return Named<QLineEdit>(form, InfoFieldCaptions[static_cast<std::size_t>(field)]);
    }
    // The six description fields of the form.
    static Texts Shown(QWidget* form) {
        Texts texts;
        for (std::size_t i = 0; i < texts.size(); ++i) {
            if (QLineEdit* edit = Field(form, static_cast<InfoField>(i))) {
                texts[i] = edit->text().toStdString();
            }
        }
        return texts;
    }

    // The frames of one direction ("PC> " or "TS> ") without STX, checksum and line end: the letters and data
    // of a command, the letters, status and data of an answer.
    Lines Frames(const char* direction) const {
        Lines frames;
        for (const auto& line : emulator->Transcript()) {
            if (line.starts_with(direction)) {
                const std::string frame = Unescape(line.substr(4));
                frames.push_back(frame.substr(1, frame.size() - 5));
            }
        }
        return frames;
    }
    Lines Sent() const { return Frames("PC> "); }
    // Every command was answered with its letters and the status "0000".
    void ExpectAllAccepted() const {
        const Lines sent = Sent();
        const Lines answers = Frames("TS> ");
        ASSERT_EQ(answers.size(), sent.size());
        for (std::size_t i = 0; i < sent.size(); ++i) {
            EXPECT_EQ(answers[i].substr(0, 6), sent[i].substr(0, 2) + "0000") << i;
        }
    }

    std::string Path(const std::string& name) const { return (folder / name).string(); }

    std::unique_ptr<Emulator> emulator;
    ReferenceMenuForm* menu = nullptr;
    ReferenceReadForm* read = nullptr;
    ReferenceWriteForm* write = nullptr;
};

} // namespace vanto::test
