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

// Refuses characters that Shift-JIS cannot store, so what is typed is what the files hold.
class SjisValidator final : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};

// An entry field with its component name, accessible name (the label beside it), maximum length in characters
// (0: none) and the Shift-JIS filter.
void SetupEdit(QLineEdit* edit, const char* componentName, const QString& accessibleName, int maxLength = 0,
               bool digitsOnly = false);

// A drop-down list selector with its component name and accessible name; editable or a plain list.
void SetupCombo(QComboBox* combo, const char* componentName, const QString& accessibleName, bool editable);

// The first entry whose text equals the combo box's text, walking all entries so the last equal one ends
// selected; no equal entry leaves the selection as it was.
void SelectMatchingItem(QComboBox* combo);

// A button with its component name and caption, a label, and a display-only field (disabled, grey).
QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption, int fontPixels = 15);
QLabel* MakeLabel(QWidget* parent, const char* text);
// The red hint of a new-entry mode ("HintLabel"), hidden; it keeps its place while hidden so the form does not
// jump when the mode changes.
QLabel* MakeHintLabel(QWidget* parent, const char* text);
QLineEdit* MakeDisplayField(QWidget* parent, const char* name, const QString& accessibleName);

// Fields joined by "-" labels in one row (telephone numbers, postal codes).
QHBoxLayout* DashRow(std::initializer_list<QLineEdit*> fields);

} // namespace vanto
