#include "common/ui/FormHelpers.h"

#include "common/Sjis.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <QSizePolicy>
#include <QWidget>

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

QValidator::State SjisValidator::validate(QString& input, int&) const {
    return IsSjisText(S(input)) ? Acceptable : Invalid;
}

void SetupEdit(QLineEdit* edit, const char* componentName, const QString& accessibleName, int maxLength,
               bool digitsOnly) {
    edit->setObjectName(componentName);
    edit->setAccessibleName(accessibleName);
    if (maxLength > 0) {
        edit->setMaxLength(maxLength);
    }
    if (digitsOnly) {
        edit->setValidator(new DigitsOnlyValidator(edit));
    } else {
        edit->setValidator(new SjisValidator(edit));
    }
}

void SetupCombo(QComboBox* combo, const char* componentName, const QString& accessibleName, bool editable) {
    combo->setObjectName(componentName);
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

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption, int fontPixels) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(name);
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
    hint->setObjectName("HintLabel");
    hint->setStyleSheet("color: red;");
    QSizePolicy keepPlace = hint->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    hint->setSizePolicy(keepPlace);
    hint->hide();
    return hint;
}

QLineEdit* MakeDisplayField(QWidget* parent, const char* name, const QString& accessibleName) {
    auto* edit = new QLineEdit(parent);
    SetupEdit(edit, name, accessibleName);
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
