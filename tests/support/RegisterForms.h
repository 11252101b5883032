// GUI tests of the register's forms: a whole program in a temp folder, a register seeded through the register
// logic, and the forms opened the way the monitor data menu opens them.
#pragma once

#include "app/ui/FormSet.h"
#include "common/Paths.h"
#include "monitor/ui/MonitorMenuForm.h"
#include "register/Register.h"
#include "register/ui/CustomerForm.h"
#include "register/ui/CustomerSearchDialog.h"
#include "register/ui/VehicleUpdateForm.h"
#include "support/AppFixture.h"
#include "support/Widgets.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include <functional>
#include <string>
#include <vector>

namespace vanto::test {

class RegisterForms : public AppFixture {
protected:
    // The register below the program folder (no VANTO_DATA.ini: the users folder is the program folder).
    Register Reg() const { return Register(folder.Dir() + "お客様/", folder.Dir() + "VISITOR_M.DT", folder.Dir()); }

    // Lists the customers and gives each a folder and profile; a name may carry vehicles.
    void Seed(const std::vector<std::pair<std::string, std::vector<std::string>>>& customers) {
        std::string list;
        for (const auto& [name, vehicles] : customers) {
            list += name + "\r\n";
        }
        WriteBytes(folder / "VISITOR_M.DT", Sjis(list));
        std::filesystem::create_directories(folder / "お客様");
        const Register reg = Reg();
        int seconds = 0;
        for (const auto& [name, vehicles] : customers) {
            reg.CreateCustomerFolders(name, "");
            reg.RegisterCustomer(name, vehicles.empty() ? "" : vehicles.front());
            for (const auto& vehicle : vehicles) {
                reg.CreateVehicleFolder(name, vehicle);
                reg.CreateVehicleFiles(name, vehicle);
                SetFolderTime(reg.VehicleFolder(name, vehicle), seconds += 4);
            }
        }
    }

    // Sets a folder's modification time `seconds` after a point a month ago (oldest first by seconds). The point
    // is read once, so that it does not move between two calls.
    static void SetFolderTime(const std::string& path, int seconds) {
        using namespace std::chrono;
        static const auto base = floor<std::chrono::seconds>(system_clock::now()) - hours(24 * 30);
        SetModificationTime(PathFromUtf8(path), base + std::chrono::seconds(seconds));
    }

    std::string File(const std::string& relative) const { return ReadBytes(folder / relative); }
    bool Exists(const std::string& relative) const { return std::filesystem::exists(folder / relative); }

    // Opens the monitor data menu from the main form and presses the menu's button with the caption.
    void OpenFromMonitorMenu(const char* caption) {
        StartAndShow();
        Press(main, "テスターよりモニタデータ読み込み");
        Press(Forms().MonitorMenu, caption);
    }
    CustomerForm* OpenCustomerForm() {
        OpenFromMonitorMenu("お客様情報登録");
        return Forms().Customer;
    }
    VehicleUpdateForm* OpenVehicleForm() {
        OpenFromMonitorMenu("車 両 情 報 登録");
        return Forms().VehicleUpdate;
    }

    // Runs `inside` once the modal search dialog is open (from within its event loop).
    static void WhileSearchIsOpen(std::function<void(CustomerSearchDialog*)> inside) {
        QTimer::singleShot(0, [inside] { inside(Forms().CustomerSearch); });
    }

    // Chooses the search result with the given text.
    static void ChooseResult(CustomerSearchDialog* search, const QString& text) {
        QListWidget* results = Named<QListWidget>(search, "検索結果");
        ASSERT_NE(results, nullptr);
        const auto items = results->findItems(text, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << text.toStdString();
        results->setCurrentItem(items.front());
        Press(search, "選　択");
    }

    static std::vector<std::string> Items(const QComboBox* combo) {
        std::vector<std::string> items;
        for (int i = 0; combo && i < combo->count(); ++i) {
            items.push_back(combo->itemText(i).toStdString());
        }
        return items;
    }
    // The entries of the drop-down list known by the name.
    static std::vector<std::string> Items(QWidget* form, const char* comboName) {
        return Items(Named<QComboBox>(form, comboName));
    }
};

inline std::string T(const QString& text) {
    return text.toStdString();
}

// The text the widget known by the name shows: a drop-down list's current text, an entry field's or a memo's text
// (`which` picks among widgets of the same name and kind).
inline std::string TextOf(QWidget* form, const char* name, int which = 0) {
    if (const QComboBox* combo = AllNamed<QComboBox>(form, name).value(which)) {
        return T(combo->currentText());
    }
    if (const QPlainTextEdit* memo = AllNamed<QPlainTextEdit>(form, name).value(which)) {
        return T(memo->toPlainText());
    }
    const QLineEdit* edit = Named<QLineEdit>(form, name, which);
    return edit ? T(edit->text()) : "";
}

// Sets the text of the entry field known by the name, as the program sets it (past the typing filter).
inline void Enter(QWidget* form, const char* name, const QString& text) {
    if (QLineEdit* edit = Named<QLineEdit>(form, name)) {
        edit->setText(text);
    }
}

// Types over the text of the editable drop-down list known by the name, as a user's edit does.
inline void TypeOver(QWidget* form, const char* comboName, const QString& text) {
    QComboBox* combo = Named<QComboBox>(form, comboName);
    ASSERT_NE(combo, nullptr);
    combo->setEditText(text);
    emit combo->lineEdit()->textEdited(text);
}

// Whether the button with the caption is enabled.
inline bool Enabled(QWidget* form, const char* caption) {
    const QAbstractButton* button = Named<QAbstractButton>(form, caption);
    return button && button->isEnabled();
}

// Types the text into the widget one character at a time, as key presses carrying the character (any
// script), so validators see every key.
inline void Type(QWidget* widget, const QString& text) {
    for (int i = 0; i < text.size(); ++i) {
        const int width = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text.mid(i, width));
        QApplication::sendEvent(widget, &press);
        i += width - 1;
    }
}

} // namespace vanto::test
