// Small helpers the forms share: text conversion, fonts, placement, the enabled look and input filters.
#pragma once

#include <QFont>
#include <QString>
#include <QStringList>
#include <QValidator>

#include <initializer_list>
#include <string>
#include <vector>

class QWidget;
class QLineEdit;
class QComboBox;
class QHBoxLayout;
class QLabel;
class QPushButton;

namespace vanto {

inline QString Q(const std::string& text) {
    return QString::fromStdString(text);
}
inline std::string S(const QString& text) {
    return text.toStdString();
}
QStringList ToQStringList(const std::vector<std::string>& lines);
std::vector<std::string> ToLines(const QStringList& lines);

// The forms' Japanese fonts: proportional for large captions, fixed-pitch for the form font. The first family
// present wins; the IPA fonts have the same metrics as the Windows ones.
QFont ProportionalFont(int pixelSize);
QFont FixedFont(int pixelSize);
// Where the system has no Japanese font of the forms and the sheet (a Windows without the Japanese fonts), adds
// the fonts shipped beside the program in <exeDir>lib/fonts. Returns how many font files were added.
int AddShippedFontsWhereMissing(const std::string& exeDir);

// Places the widget in the middle of its screen (halves rounded towards zero).
void CenterOnScreen(QWidget* widget);

// A control switched on is enabled with the normal window background; switched off it is disabled with the
// background colour of buttons. The text stays black.
void SetEnabledLook(QWidget* widget, bool on);

// Accepts the digits 0 to 9 only (backspace and deleting always work).
class DigitsOnlyValidator final : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};

// What may be typed into an entry field: text Shift-JIS can store (so what is typed is what the files hold),
// digits only, or Shift-JIS text whose typed letters become lower case.
enum class TypedCharacters { Sjis, Digits, LowerCaseSjis };

// The one limit on entry fields. It filters only what the user types, pastes or drops: text the program sets (a
// stored value) is never refused, changed or cut, so a stored value longer than the limit is shown and saved back
// whole, and editing it cuts nothing. What is typed fits into what the rest of the text leaves below the limit:
// while the text is at or over the limit nothing is taken, and a paste is cut to what fits. Limits count
// characters (0: none).
class TypingFilter final : public QValidator {
public:
    TypingFilter(QLineEdit* edit, int maxCharacters, TypedCharacters allowed);
    State validate(QString& input, int& pos) const override;

private:
    void Remember(const QString& text);
    void RememberPlace();

    QLineEdit* edit_;
    int maxCharacters_;
    TypedCharacters allowed_;
    // The texts the field has held since the program last set it, that one first: undo and redo only return to
    // one of them, which is taken as it was. The last is the text before the edit being checked.
    QStringList held_;
    // Where the next edit takes place: the selection, or the cursor (from_ == to_).
    int from_ = 0;
    int to_ = 0;
};

// Puts the typing filter on the field, in place of one it had, and lifts the widget's own length cap.
void LimitTyping(QLineEdit* edit, int maxCharacters, TypedCharacters allowed = TypedCharacters::Sjis);

// An entry field with its object name, accessible name (the label beside it), typing limit in characters
// (0: none) and what may be typed.
void SetupEdit(QLineEdit* edit, const char* objectName, const QString& accessibleName, int maxCharacters = 0,
               bool digitsOnly = false);

// A drop-down list selector with its object name and accessible name; editable or a plain list.
void SetupCombo(QComboBox* combo, const char* objectName, const QString& accessibleName, bool editable);

// The first entry whose text equals the combo box's text, walking all entries so the last equal one ends
// selected; no equal entry leaves the selection as it was.
void SelectMatchingItem(QComboBox* combo);

// A button with its object name and caption, a label, and a display-only field (disabled, grey) with the
// typing limit of its value (0: none).
QPushButton* MakeButton(QWidget* parent, const char* objectName, const char* caption, int fontPixels = 15);
QLabel* MakeLabel(QWidget* parent, const char* text);
// The red hint of a new-entry mode ("hintLabel"), hidden; it keeps its place while hidden so the form does not
// jump when the mode changes.
QLabel* MakeHintLabel(QWidget* parent, const char* text);
QLineEdit* MakeDisplayField(QWidget* parent, const char* objectName, const QString& accessibleName,
                            int maxCharacters = 0);

// Fields joined by "-" labels in one row (telephone numbers, postal codes).
QHBoxLayout* DashRow(std::initializer_list<QLineEdit*> fields);

} // namespace vanto
