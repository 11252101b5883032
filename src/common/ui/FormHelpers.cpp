#include "common/ui/FormHelpers.h"

#include "common/Sjis.h"

#include <QComboBox>
#include <QDir>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <QSizePolicy>
#include <QWidget>

#include <algorithm>
#include <limits>
#include <optional>

namespace vanto {

QStringList ToQStringList(const std::vector<std::string>& lines) {
    QStringList list;
    list.reserve(static_cast<qsizetype>(lines.size()));
    for (const auto& line : lines) {
        list << Q(line);
    }
    return list;
}

std::vector<std::string> ToLines(const QStringList& lines) {
    std::vector<std::string> result;
    result.reserve(static_cast<std::size_t>(lines.size()));
    for (const auto& line : lines) {
        result.push_back(S(line));
    }
    return result;
}

QFont ProportionalFont(int pixelSize) {
    QFont font;
    font.setFamilies({"ＭＳ Ｐゴシック", "IPAPGothic", "IPAゴシック", "IPAGothic"});
    font.setPixelSize(pixelSize);
    return font;
}

QFont FixedFont(int pixelSize) {
    QFont font;
    font.setFamilies({"ＭＳ ゴシック", "IPAGothic", "IPAゴシック"});
    font.setStyleHint(QFont::Monospace);
    font.setPixelSize(pixelSize);
    return font;
}

int AddShippedFontsWhereMissing(const std::string& exeDir) {
    const QStringList installed = QFontDatabase::families();
    if (installed.contains("ＭＳ ゴシック") || installed.contains("IPAGothic")) {
        return 0;
    }
    const QDir folder(Q(exeDir) + "lib/fonts");
    int added = 0;
    for (const QString& file : folder.entryList({"*.ttf", "*.otf", "*.ttc"}, QDir::Files, QDir::Name)) {
        if (QFontDatabase::addApplicationFont(folder.filePath(file)) >= 0) {
            ++added;
        }
    }
    return added;
}

void CenterOnScreen(QWidget* widget) {
    QScreen* screen = widget->screen() ? widget->screen() : QGuiApplication::primaryScreen();
    if (!screen) {
        return;
    }
    const QRect area = screen->geometry();
    const QSize size = widget->frameGeometry().size();
    widget->move(area.x() + (area.width() - size.width()) / 2, area.y() + (area.height() - size.height()) / 2);
}

void SetEnabledLook(QWidget* widget, bool on) {
    widget->setEnabled(on);
    QPalette palette = widget->palette();
    const QColor background =
        on ? QGuiApplication::palette().color(QPalette::Base) : QGuiApplication::palette().color(QPalette::Button);
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, background);
        palette.setColor(group, QPalette::Text, Qt::black);
        palette.setColor(group, QPalette::WindowText, Qt::black);
        palette.setColor(group, QPalette::ButtonText, Qt::black);
    }
    widget->setPalette(palette);
}

QValidator::State DigitsOnlyValidator::validate(QString& input, int&) const {
    for (const QChar c : input) {
        if (c < '0' || c > '9') {
            return Invalid;
        }
    }
    return Acceptable;
}

namespace {

int CharacterCount(const QString& text) {
    int count = 0;
    for (const QChar c : text) {
        count += c.isLowSurrogate() ? 0 : 1;
    }
    return count;
}

// The first `count` characters of the text; a surrogate pair stays whole.
QString LeadingCharacters(const QString& text, int count) {
    qsizetype units = 0;
    for (int n = 0; n < count && units < text.size(); ++n) {
        units += text.at(units).isHighSurrogate() && units + 1 < text.size() ? 2 : 1;
    }
    return text.left(units);
}

bool MayBeTyped(const QString& typed, TypedCharacters allowed) {
    if (allowed == TypedCharacters::Digits) {
        return std::all_of(typed.begin(), typed.end(), [](QChar c) { return c >= '0' && c <= '9'; });
    }
    return IsSjisText(S(typed));
}

// How an edit changed a text: it kept `front` units in front and `back` units behind, and put in what lies
// between.
struct EditSpan {
    qsizetype front = 0;
    qsizetype back = 0;
};

// The edit replaced units `from` to `to` of the text before it (the selection, or nothing at the cursor), if the
// text after it says so.
std::optional<EditSpan> ReplacedAt(const QString& before, const QString& after, qsizetype from, qsizetype to) {
    if (from < 0 || from > to || to > before.size()) {
        return std::nullopt;
    }
    const QStringView kept(before);
    const qsizetype back = before.size() - to;
    if (after.size() < from + back || !after.startsWith(kept.left(from)) || !after.endsWith(kept.mid(to))) {
        return std::nullopt;
    }
    return EditSpan{from, back};
}

// Any other edit (deleting, dropping a dragged part): the least that explains the difference.
EditSpan SmallestChange(const QString& before, const QString& after) {
    const qsizetype shorter = std::min(before.size(), after.size());
    EditSpan span;
    while (span.front < shorter && before.at(span.front) == after.at(span.front)) {
        ++span.front;
    }
    if (span.front > 0 && after.at(span.front - 1).isHighSurrogate()) {
        --span.front;
    }
    while (span.back < shorter - span.front &&
           before.at(before.size() - 1 - span.back) == after.at(after.size() - 1 - span.back)) {
        ++span.back;
    }
    if (span.back > 0 && after.at(after.size() - span.back).isLowSurrogate()) {
        --span.back;
    }
    return span;
}

} // namespace

TypingFilter::TypingFilter(QLineEdit* edit, int maxCharacters, TypedCharacters allowed)
    : QValidator(edit), edit_(edit), maxCharacters_(maxCharacters), allowed_(allowed), held_{edit->text()} {
    RememberPlace();
    connect(edit, &QLineEdit::textChanged, this, &TypingFilter::Remember);
    connect(edit, &QLineEdit::cursorPositionChanged, this, &TypingFilter::RememberPlace);
    connect(edit, &QLineEdit::selectionChanged, this, &TypingFilter::RememberPlace);
}

void TypingFilter::Remember(const QString& text) {
    // setText clears the field's modified mark before the text changes; the user's edits set it.
    if (!edit_->isModified()) {
        held_ = QStringList{text};
    } else {
        held_.append(text);
    }
}

void TypingFilter::RememberPlace() {
    // The field tells where its cursor and selection went only after an edit has been checked, so during the
    // check these are where the edit took place.
    const int start = edit_->selectionStart();
    from_ = start >= 0 ? start : edit_->cursorPosition();
    to_ = from_ + (start >= 0 ? edit_->selectionLength() : 0);
}

QValidator::State TypingFilter::validate(QString& input, int& pos) const {
    if (!edit_->isModified() || held_.contains(input)) {
        return Acceptable;
    }
    const QString& before = held_.back();
    const EditSpan span = ReplacedAt(before, input, from_, to_).value_or(SmallestChange(before, input));
    const QString put = input.mid(span.front, input.size() - span.front - span.back);
    if (put.isEmpty()) {
        return Acceptable;
    }
    QString typed = allowed_ == TypedCharacters::LowerCaseSjis ? put.toLower() : put;
    if (!MayBeTyped(typed, allowed_)) {
        return Invalid;
    }
    if (maxCharacters_ > 0) {
        // What is typed fits into what the rest of the text leaves below the limit.
        const int room = maxCharacters_ - (CharacterCount(input) - CharacterCount(put));
        if (room <= 0) {
            return Invalid;
        }
        typed = LeadingCharacters(typed, room);
    }
    if (typed != put) {
        input = input.left(span.front) + typed + input.right(span.back);
        pos = static_cast<int>(span.front + typed.size());
    }
    return Acceptable;
}

void LimitTyping(QLineEdit* edit, int maxCharacters, TypedCharacters allowed) {
    const QValidator* previous = edit->validator();
    edit->setValidator(new TypingFilter(edit, maxCharacters, allowed));
    if (previous && previous->parent() == edit) {
        delete previous;
    }
    // The widget's own cap (32,767 characters) would cut what the program sets.
    edit->setMaxLength(std::numeric_limits<int>::max());
}

void SetupEdit(QLineEdit* edit, const char* objectName, const QString& accessibleName, int maxCharacters,
               bool digitsOnly) {
    edit->setObjectName(objectName);
    edit->setAccessibleName(accessibleName);
    LimitTyping(edit, maxCharacters, digitsOnly ? TypedCharacters::Digits : TypedCharacters::Sjis);
}

void SetupCombo(QComboBox* combo, const char* objectName, const QString& accessibleName, bool editable) {
    combo->setObjectName(objectName);
    combo->setAccessibleName(accessibleName);
    combo->setEditable(editable);
    if (editable) {
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->lineEdit()->setAccessibleName(accessibleName);
    }
    // The form's layout decides the width: measuring every entry would make a damaged list (one line of megabytes)
    // take minutes to show.
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(12);
}

void SelectMatchingItem(QComboBox* combo) {
    const QString text = combo->currentText();
    int match = -1;
    for (int i = 0; i < combo->count(); ++i) {
        if (combo->itemText(i) == text) {
            match = i;
        }
    }
    if (match >= 0) {
        const QSignalBlocker block(combo);
        combo->setCurrentIndex(match);
    }
}

QPushButton* MakeButton(QWidget* parent, const char* objectName, const char* caption, int fontPixels) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(objectName);
    button->setAccessibleName(button->text());
    button->setFont(ProportionalFont(fontPixels));
    button->setMinimumHeight(32);
    button->setAutoDefault(false);
    return button;
}

QLabel* MakeLabel(QWidget* parent, const char* text) {
    return new QLabel(QString::fromUtf8(text), parent);
}

QLabel* MakeHintLabel(QWidget* parent, const char* text) {
    QLabel* hint = MakeLabel(parent, text);
    hint->setObjectName("hintLabel");
    hint->setStyleSheet("color: red;");
    QSizePolicy keepPlace = hint->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    hint->setSizePolicy(keepPlace);
    hint->hide();
    return hint;
}

QLineEdit* MakeDisplayField(QWidget* parent, const char* objectName, const QString& accessibleName, int maxCharacters) {
    auto* edit = new QLineEdit(parent);
    SetupEdit(edit, objectName, accessibleName, maxCharacters);
    SetEnabledLook(edit, false);
    return edit;
}

QHBoxLayout* DashRow(std::initializer_list<QLineEdit*> fields) {
    auto* row = new QHBoxLayout;
    row->setSpacing(4);
    bool first = true;
    for (QLineEdit* field : fields) {
        if (!first) {
            row->addWidget(new QLabel("-", field->parentWidget()));
        }
        row->addWidget(field);
        first = false;
    }
    row->addStretch();
    return row;
}

} // namespace vanto
