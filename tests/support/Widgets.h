// How GUI tests reach a form's widgets: the way a user does, by the name a screen reader says (the accessible
// name) or, for buttons, labels and frames, by the caption on screen. Tests never reach a form's members.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QList>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <string>

namespace vanto::test {

// What a user knows the widget by: its accessible name, or else its caption.
inline QString KnownName(const QWidget* widget) {
    if (!widget->accessibleName().isEmpty()) {
        return widget->accessibleName();
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
        return button->text();
    }
    if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        return label->text();
    }
    if (const auto* group = qobject_cast<const QGroupBox*>(widget)) {
        return group->title();
    }
    return {};
}

// Every widget of kind T in the form known by the name, in the order the form made them; none is no failure.
template <typename T> QList<T*> AllNamed(QWidget* form, const char* name) {
    QList<T*> found;
    const QString wanted = QString::fromUtf8(name);
    for (T* child : form->findChildren<T*>()) {
        if (KnownName(child) == wanted) {
            found.append(child);
        }
    }
    return found;
}

// The form's widget of kind T known by the name; `which` picks among widgets of the same name (0: the first the
// form made). Fails the test and returns nullptr when there is none.
template <typename T = QWidget> T* Named(QWidget* form, const char* name, int which = 0) {
    const QList<T*> found = AllNamed<T>(form, name);
    if (which < 0 || which >= found.size()) {
        ADD_FAILURE() << "no " << name << " (#" << which << ") in \"" << form->windowTitle().toStdString() << "\"";
        return nullptr;
    }
    return found[which];
}

// The shown top-level window with the title, or nullptr.
inline QWidget* ShownWindow(const char* title) {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible() && widget->windowTitle() == QString::fromUtf8(title)) {
            return widget;
        }
    }
    return nullptr;
}

// Waits up to ten seconds for the window with the title to show; fails the test when it does not.
inline QWidget* WaitForWindow(const char* title) {
    QWidget* window = nullptr;
    EXPECT_TRUE(QTest::qWaitFor([&] { return (window = ShownWindow(title)) != nullptr; }, 10000))
        << "no window \"" << title << "\"";
    return window;
}

// Lets queued events (show, timers) run.
void ProcessEvents();

// Clicks the enabled button known by the caption (`which` as for Named) and lets the events it queued run.
inline void Press(QWidget* form, const char* caption, int which = 0) {
    QAbstractButton* button = Named<QAbstractButton>(form, caption, which);
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(button->isEnabled()) << caption << " is disabled";
    button->click();
    ProcessEvents();
}

// Picks the item with the text in the drop-down list known by the name, as a user's choice does.
inline void Choose(QWidget* form, const char* comboName, const QString& item) {
    QComboBox* combo = Named<QComboBox>(form, comboName);
    ASSERT_NE(combo, nullptr);
    const int index = combo->findText(item);
    ASSERT_GE(index, 0) << item.toStdString() << " is not in " << comboName;
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

} // namespace vanto::test
