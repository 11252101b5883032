// Every length-limited field of every form: a stored value longer than the limit is shown whole and an untouched
// save writes the same bytes; only typing and pasting are limited.
#include "common/ui/FormHelpers.h"
#include "print/PrintForms.h"
#include "reference/ui/ReferenceMenuForm.h"
#include "reference/ui/ReferenceReadForm.h"
#include "settings/ui/SettingsForm.h"
#include "support/Emulator.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTest>

#include <array>
#include <map>
#include <memory>

using namespace vanto;
using namespace vanto::test;

namespace {

enum class Kind { Text, Ascii, Digits };

struct LimitedField {
    const char* form; // see FormOf
    const char* name;
    int limit; // characters
    Kind kind;
    int stored;        // characters of the stored value: over the limit where the file can hold more
    bool typed = true; // false: a display field, which takes no typing
};

// The stored values, by "form/field".
using Values = std::map<std::string, std::string>;
class TypingLimits;

struct FormCase {
    const char* name;
    std::vector<LimitedField> fields;
    void (*seed)(TypingLimits&, const Values&); // files the program reads before it starts
    void (*open)(TypingLimits&);
    std::vector<std::string> (*files)(TypingLimits&); // what an untouched save must leave as it was
    void (*save)(TypingLimits&);
};

void PrintTo(const FormCase& c, std::ostream* os) {
    *os << c.name;
}

QWidget* FormOf(const std::string& form) {
    const FormRegistry& forms = Forms();
    const std::map<std::string, QWidget*> all{{"customer", forms.Customer},   {"vehicle", forms.VehicleUpdate},
                                              {"carinfo", forms.VehicleInfo}, {"print", forms.PrintSetup},
                                              {"settings", forms.Settings},   {"reference", forms.ReferenceRead}};
    return all.at(form);
}

std::string Key(const LimitedField& f) {
    return std::string(f.form) + "/" + f.name;
}

// `count` characters, different for each seed: digits, ASCII letters, or letters and double-byte characters.
std::string Sample(Kind kind, int count, int seed) {
    static const char* const wide[] = {"車", "検", "整", "備", "点"};
    std::string text;
    for (int k = 0; k < count; ++k) {
        const int n = seed + k;
        if (kind == Kind::Digits) {
            text += static_cast<char>('0' + n % 10);
        } else if (kind == Kind::Ascii) {
            text += static_cast<char>('A' + n % 26); // capitals: the mileage shows what the tester sent
        } else if (k % 2 == 1) {
            text += static_cast<char>('a' + n % 26);
        } else {
            text += wide[n % 5];
        }
    }
    return text;
}

class TypingLimits : public PrintForms, public ::testing::WithParamInterface<FormCase> {
protected:
    void TearDown() override {
        PrintForms::TearDown();
        emulator.reset();
    }

    std::map<std::string, std::string> Snapshot(const std::vector<std::string>& files) const {
        std::map<std::string, std::string> bytes;
        for (const auto& file : files) {
            bytes[file] = File(file);
        }
        return bytes;
    }

public:
    // The cases below set up, open and save through these.
    using PrintForms::dialogs;
    using PrintForms::File;
    using PrintForms::folder;
    using PrintForms::main;
    using PrintForms::OpenCustomerForm;
    using PrintForms::OpenPrintSetup;
    using PrintForms::OpenVehicleForm;
    using PrintForms::Reg;
    using PrintForms::Seed;
    using PrintForms::StartAndShow;

    std::unique_ptr<Emulator> emulator;
    std::string userInfo;                       // the workshop's details, written once the program has started
    std::string customerName;                   // the seeded customer
    std::map<std::string, std::string> created; // files the save writes anew, as they must come out
};

std::string UserInfoFile(TypingLimits& t) {
    return std::filesystem::path(PathFromUtf8(t.main->State.Paths.UserInfoFile)).filename().string();
}

// The workshop's details from the form's fields for name, telephone 1-3, fax 1-3, address and the two messages.
std::string UserInfo(const Values& v, const std::string& form, const std::array<const char*, 10>& fields) {
    auto at = [&](std::size_t i) { return v.at(form + "/" + fields[i]); };
    return "[user]\r\nname=" + at(0) + "\r\npost=140-0001\r\ntel=" + at(1) + "-" + at(2) + "-" + at(3) +
           "\r\nfax=" + at(4) + "-" + at(5) + "-" + at(6) + "\r\nAddress=" + at(7) + "\r\nmes1=" + at(8) +
           "\r\nmes2=" + at(9) + "\r\n";
}

// The reference set the emulator holds, and the file that keeps it as the tester sent it.
const char* const ReferenceFile = "set.DTKJ2";
std::string ReferenceRecord(const Values& v) {
    std::string record;
    for (const char* name : {"Edit5", "Edit6", "Edit7", "Edit8", "Edit9", "Edit10"}) {
        record += v.at(std::string("reference/") + name); // each fills its field's width
    }
    return record;
}

const FormCase Cases[] = {
    {"Customer",
     {{"customer", "customerNameEdit", 24, Kind::Text, 26},
      {"customer", "phone1Edit", 18, Kind::Digits, 20},
      {"customer", "phone2Edit", 18, Kind::Digits, 20},
      {"customer", "phone3Edit", 18, Kind::Digits, 20},
      {"customer", "mobile1Edit", 18, Kind::Digits, 20},
      {"customer", "mobile2Edit", 18, Kind::Digits, 20},
      {"customer", "mobile3Edit", 18, Kind::Digits, 20},
      {"customer", "addressEdit", 84, Kind::Text, 86}},
     [](TypingLimits& t, const Values& v) {
         t.customerName = v.at("customer/customerNameEdit");
         t.Seed({{t.customerName, {}}});
         t.Reg().WriteCustomerFields(t.customerName,
                                     {{"TEL", v.at("customer/phone1Edit") + "-" + v.at("customer/phone2Edit") + "-" +
                                                  v.at("customer/phone3Edit")},
                                      {"HANDY", v.at("customer/mobile1Edit") + "-" + v.at("customer/mobile2Edit") +
                                                    "-" + v.at("customer/mobile3Edit")},
                                      {"POST_NO", "140-0001"},
                                      {"ADD", v.at("customer/addressEdit")}});
     },
     [](TypingLimits& t) { t.OpenCustomerForm(); },
     [](TypingLimits& t) -> std::vector<std::string> {
         return {"VISITOR_M.DT", "お客様/" + t.customerName + "/" + t.customerName + ".DT"};
     },
     [](TypingLimits& t) {
         t.dialogs.QueueAnswer(DialogAnswer::Ok);
         Press(Forms().Customer, "お客様情報確定");
     }},
    {"VehicleUpdate",
     {{"vehicle", "addressEdit", 74, Kind::Text, 76, false},
      {"vehicle", "makerEdit", 20, Kind::Text, 22},
      {"vehicle", "carNameEdit", 20, Kind::Text, 22},
      {"vehicle", "firstRegistrationEdit", 20, Kind::Text, 22},
      {"vehicle", "bodyNumberEdit", 20, Kind::Text, 22},
      {"vehicle", "typeEdit", 20, Kind::Text, 22},
      {"vehicle", "engineTypeEdit", 20, Kind::Text, 22},
      {"vehicle", "commentEdit", 74, Kind::Text, 76}},
     [](TypingLimits& t, const Values& v) {
         t.Seed({{Customer, {Vehicle}}});
         t.Reg().WriteCustomerFields(Customer, {{"ADD", v.at("vehicle/addressEdit")}});
         t.Reg().WriteVehicleFields(
             Customer, Vehicle,
             VehicleSections({v.at("vehicle/makerEdit"), v.at("vehicle/carNameEdit"),
                              v.at("vehicle/firstRegistrationEdit"), v.at("vehicle/engineTypeEdit"),
                              v.at("vehicle/commentEdit"), v.at("vehicle/bodyNumberEdit"), v.at("vehicle/typeEdit"),
                              "12000", "2027年5月31日"}));
     },
     [](TypingLimits& t) { t.OpenVehicleForm(); },
     [](TypingLimits&) -> std::vector<std::string> {
         return {"お客様/" + Customer + "/" + Customer + ".DT",
                 "お客様/" + Customer + "/" + Vehicle + "/" + Vehicle + ".DT"};
     },
     [](TypingLimits& t) {
         t.dialogs.QueueAnswer(DialogAnswer::Ok);
         Press(Forms().VehicleUpdate, "車両情報確定");
     }},
    // The vehicle information form shows; the print setup prints, and saves only a vehicle changed in it.
    {"VehicleInformationAndPrintSetup",
     {{"carinfo", "addressEdit", 74, Kind::Text, 86, false},
      {"carinfo", "makerEdit", 20, Kind::Text, 22, false},
      {"carinfo", "carNameEdit", 20, Kind::Text, 22, false},
      {"carinfo", "bodyNumberEdit", 20, Kind::Text, 22, false},
      {"carinfo", "typeEdit", 20, Kind::Text, 22, false},
      {"carinfo", "firstRegistrationEdit", 20, Kind::Text, 22, false},
      {"carinfo", "engineTypeEdit", 20, Kind::Text, 22, false},
      {"carinfo", "commentEdit", 74, Kind::Text, 76, false},
      {"print", "Edit9", 16, Kind::Text, 18},
      {"print", "Edit10", 20, Kind::Text, 22},
      {"print", "Edit14", 32, Kind::Text, 50},
      {"print", "Edit17", 74, Kind::Text, 76},
      {"print", "Edit15", 18, Kind::Digits, 20},
      {"print", "Edit28", 18, Kind::Digits, 20},
      {"print", "Edit29", 18, Kind::Digits, 20},
      {"print", "Edit16", 18, Kind::Digits, 20},
      {"print", "Edit30", 18, Kind::Digits, 20},
      {"print", "Edit31", 18, Kind::Digits, 20},
      {"print", "Edit18", 46, Kind::Text, 70},
      {"print", "Edit19", 46, Kind::Text, 70}},
     [](TypingLimits& t, const Values& v) {
         t.Seed({{Customer, {Vehicle}}});
         t.Reg().WriteCustomerFields(Customer, {{"ADD", v.at("carinfo/addressEdit")}});
         t.Reg().WriteVehicleFields(
             Customer, Vehicle,
             VehicleSections({v.at("carinfo/makerEdit"), v.at("carinfo/carNameEdit"),
                              v.at("carinfo/firstRegistrationEdit"), v.at("carinfo/engineTypeEdit"),
                              v.at("carinfo/commentEdit"), v.at("carinfo/bodyNumberEdit"), v.at("carinfo/typeEdit"),
                              v.at("print/Edit9"), v.at("print/Edit10")}));
         t.userInfo = UserInfo(
             v, "print",
             {"Edit14", "Edit15", "Edit28", "Edit29", "Edit16", "Edit30", "Edit31", "Edit17", "Edit18", "Edit19"});
     },
     [](TypingLimits& t) { t.OpenPrintSetup(t.userInfo); },
     [](TypingLimits& t) -> std::vector<std::string> {
         return {"お客様/" + Customer + "/" + Customer + ".DT",
                 "お客様/" + Customer + "/" + Vehicle + "/" + Vehicle + ".DT", UserInfoFile(t)};
     },
     [](TypingLimits& t) {
         Forms().PrintSetup->printButton_->click(); // the print dialog is cancelled
         EXPECT_TRUE(t.dialogs.Choices().empty()) << "the vehicle was not changed";
         EXPECT_EQ(t.dialogs.PrintDialogs().size(), 1u);
     }},
    {"Settings",
     {{"settings", "user_name", 50, Kind::Text, 52},
      {"settings", "tel1", 18, Kind::Digits, 20},
      {"settings", "tel2", 18, Kind::Digits, 20},
      {"settings", "tel3", 18, Kind::Digits, 20},
      {"settings", "fax1", 18, Kind::Digits, 20},
      {"settings", "fax2", 18, Kind::Digits, 20},
      {"settings", "fax3", 18, Kind::Digits, 20},
      {"settings", "user_Address", 70, Kind::Text, 72},
      {"settings", "user_mes1", 70, Kind::Text, 72},
      {"settings", "user_mes2", 70, Kind::Text, 72},
      {"settings", "Dictionary_Edit", 70, Kind::Text, 72}},
     [](TypingLimits& t, const Values& v) {
         WriteBytes(t.folder / "VANTO_DATA.ini", Sjis("[STR_DIC]\r\nFILE=" + t.folder.Dir() + "dic.txt\r\n"));
         WriteBytes(t.folder / "dic.txt", Sjis("点検済み\r\n" + v.at("settings/Dictionary_Edit") + "\r\n"));
         t.userInfo = UserInfo(
             v, "settings",
             {"user_name", "tel1", "tel2", "tel3", "fax1", "fax2", "fax3", "user_Address", "user_mes1", "user_mes2"});
     },
     [](TypingLimits& t) {
         t.StartAndShow();
         WriteBytes(PathFromUtf8(t.main->State.Paths.UserInfoFile), Sjis(t.userInfo));
         t.main->settingsButton_->click();
         ProcessEvents();
         Forms().Settings->phraseList_->setCurrentRow(1);
     },
     [](TypingLimits& t) -> std::vector<std::string> {
         return {UserInfoFile(t), "dic.txt"};
     },
     [](TypingLimits& t) {
         t.dialogs.QueueAnswer(DialogAnswer::Ok);
         Forms().Settings->saveWorkshopButton_->click();
         t.dialogs.QueueAnswer(DialogAnswer::Ok); // the phrase is changed to what it was
         Forms().Settings->addPhraseButton_->click();
     }},
    // Fields as wide as the description record holds them: 20 bytes for 18 characters, 8 and 128 for as many.
    {"ReferenceReading",
     {{"reference", "Edit5", 18, Kind::Ascii, 20},
      {"reference", "Edit6", 18, Kind::Ascii, 20},
      {"reference", "Edit7", 18, Kind::Ascii, 20},
      {"reference", "Edit8", 18, Kind::Ascii, 20},
      {"reference", "Edit9", 8, Kind::Ascii, 8},
      {"reference", "Edit10", 128, Kind::Ascii, 128}},
     [](TypingLimits& t, const Values& v) {
         const std::string record = ReferenceRecord(v);
         t.emulator =
             std::make_unique<Emulator>(t.folder, std::string(R"({"reference": {"sets": [{"data": "21A03B00)") +
                                                      record + R"(IDL=1,", "values": "12,"}]}})");
         t.created[ReferenceFile] = "[INFO]\r\nDATA=" + record + "\r\n[DATA]\r\nDATA=21A03B00" + record +
                                    "IDL=1,\n\r\n[VALUE]\r\nDATA=12,\n\r\n";
     },
     [](TypingLimits& t) {
         t.StartAndShow();
         t.main->referenceButton_->click();
         Forms().ReferenceMenu->readSetsButton_->click();
         ASSERT_TRUE(QTest::qWaitFor([] { return Forms().ReferenceRead->isVisible(); }, 10000));
         Forms().ReferenceRead->readButton_->click();
     },
     [](TypingLimits&) -> std::vector<std::string> { return {}; },
     [](TypingLimits& t) {
         t.dialogs.QueueFile((t.folder / ReferenceFile).string());
         Forms().ReferenceRead->saveButton_->click();
     }},
};

TEST_P(TypingLimits, StoredValuesAreShownAndSavedWholeOnlyTypingIsLimited) {
    const FormCase& c = GetParam();
    Values values;
    for (std::size_t i = 0; i < c.fields.size(); ++i) {
        const LimitedField& f = c.fields[i];
        values[Key(f)] = Sample(f.kind, f.stored, static_cast<int>(i));
    }
    c.seed(*this, values);
    c.open(*this);
    for (const LimitedField& f : c.fields) {
        EXPECT_EQ(T(Find<QLineEdit>(FormOf(f.form), f.name)->text()), values[Key(f)]) << Key(f);
    }

    auto files = c.files(*this);
    auto expected = Snapshot(files);
    for (const auto& [file, bytes] : created) {
        files.push_back(file);
        expected[file] = bytes;
    }
    c.save(*this);
    EXPECT_EQ(Snapshot(files), expected);

    // At or over the limit a typed character is refused; a paste over the whole text is cut to the limit.
    for (const LimitedField& f : c.fields) {
        QLineEdit* edit = Find<QLineEdit>(FormOf(f.form), f.name);
        if (!f.typed) {
            EXPECT_FALSE(edit->isEnabled()) << Key(f);
            continue;
        }
        const QString shown = edit->text();
        Type(edit, "7");
        EXPECT_EQ(edit->text(), shown) << Key(f);
        const std::string pasted = Sample(f.kind == Kind::Digits ? Kind::Digits : Kind::Text, f.limit + 3, 5);
        QGuiApplication::clipboard()->setText(QString::fromUtf8(pasted));
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(T(edit->text()), T(QString::fromUtf8(pasted).left(f.limit))) << Key(f);
        Type(edit, "7");
        EXPECT_EQ(edit->text().size(), f.limit) << Key(f);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryForm, TypingLimits, ::testing::ValuesIn(Cases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace

// Undo gives back what was deleted; the lower-case rule of the mileage applies to typed letters only.
TEST(TypingFilter, UndoRestoresAStoredValueAndOnlyTypedTextIsChanged) {
    QLineEdit edit;
    LimitTyping(&edit, 5, TypedCharacters::LowerCaseSjis);
    edit.setText("ABCDEFG");
    for (const Qt::Key key : {Qt::Key_Backspace, Qt::Key_Left, Qt::Key_Backspace}) {
        QTest::keyClick(&edit, key);
    }
    EXPECT_EQ(T(edit.text()), "ABCDF");
    QTest::keyClick(&edit, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(T(edit.text()), "ABCDEF");
    QTest::keyClick(&edit, Qt::Key_Home);
    Type(&edit, "X");
    EXPECT_EQ(T(edit.text()), "ABCDEF");
    edit.setSelection(1, 3);
    Type(&edit, "X");
    EXPECT_EQ(T(edit.text()), "AxEF");
}
