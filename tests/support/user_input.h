// Driving the windows as a person does: clicks on the widget, keys typed into
// whatever has the focus, Tab through the real tab order, Alt+letter sent to
// the active window so that Qt's shortcut map resolves it, and entries chosen
// from the open list with the mouse. A modal dialog that the test did not
// expect fails the test instead of hanging it.
#pragma once

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QStringList>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>

namespace orvalt::test {

// The widget that has the keyboard focus; keys go there. The X server gives
// a window the focus asynchronously (after a list's popup closes, say), so
// this waits a moment for it rather than failing on a busy machine.
inline QWidget* Focused() {
    if (QApplication::focusWidget() == nullptr)
        (void)QTest::qWaitFor([] { return QApplication::focusWidget() != nullptr; }, 5000);
    return QApplication::focusWidget();
}

// Types `text` into the focused widget. Qt Test's key clicks know only
// Latin-1, so everything else arrives as an input method's commit, as a
// Japanese input method delivers it.
inline void TypeText(const QString& text) {
    QString latin;
    auto flushLatin = [&latin] {
        if (latin.isEmpty()) return;
        QWidget* target = Focused();
        ASSERT_NE(target, nullptr) << "no widget has the focus";
        QTest::keyClicks(target, latin);
        latin.clear();
    };
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            latin += c;
            continue;
        }
        flushLatin();
        QWidget* target = Focused();
        ASSERT_NE(target, nullptr) << "no widget has the focus";
        QInputMethodEvent commit;
        commit.setCommitString(QString(c));
        QApplication::sendEvent(target, &commit);
    }
    flushLatin();
}

// Pastes `text` into the focused widget with Ctrl+V: the way characters that
// no key types (a tab, a control character) reach a box.
inline void PasteText(const QString& text) {
    QGuiApplication::clipboard()->setText(text);
    QWidget* target = Focused();
    ASSERT_NE(target, nullptr) << "no widget has the focus";
    QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
}

inline void PressKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* target = Focused();
    ASSERT_NE(target, nullptr) << "no widget has the focus";
    QTest::keyClick(target, key, modifiers);
}

inline void PressTab() { PressKey(Qt::Key_Tab); }

// Alt+letter to the active window, as the keyboard sends it.
inline void PressAccessKey(Qt::Key letter) {
    QWidget* target = Focused();
    if (target == nullptr) target = QApplication::activeWindow();
    ASSERT_NE(target, nullptr) << "no active window";
    QTest::keyClick(target, letter, Qt::AltModifier);
    QCoreApplication::processEvents();
}

// A left click in the middle of the widget (of the text part of an editable
// combo box).
inline void ClickOn(QWidget* widget) {
    ASSERT_NE(widget, nullptr);
    if (auto* combo = qobject_cast<QComboBox*>(widget); combo != nullptr && combo->lineEdit())
        widget = combo->lineEdit();
    // The click may close the window and with it the widget.
    const QPointer<QWidget> clicked(widget);
    const bool takesFocus = widget->focusPolicy() & Qt::ClickFocus;
    QTest::mouseClick(widget, Qt::LeftButton);
    QCoreApplication::processEvents();
    if (takesFocus && clicked != nullptr && clicked->isVisible()) Focused();
}

// A left click in the middle of a table's cell.
inline void ClickCell(QAbstractItemView* view, int row, int column) {
    ASSERT_NE(view, nullptr);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier,
                      view->visualRect(view->model()->index(row, column)).center());
    QCoreApplication::processEvents();
}

// Keys one at a time to whatever has the focus, as into a table: "\t" is
// Tab, "\n" Enter (the editor closes queued), anything else typed a
// character at a time, so the first starts the cell's editor and the rest
// go into it.
inline void TypeCells(const QStringList& keys) {
    for (const QString& key : keys) {
        if (key == u"\t") {
            PressTab();
        } else if (key == u"\n") {
            PressKey(Qt::Key_Return);
            QCoreApplication::processEvents();
        } else {
            for (const QChar c : key) TypeText(QString(c));
        }
    }
}

// Clicks into the box, selects all its text with Ctrl+A and types over it
// (or deletes it, for an empty text).
inline void ClickAndType(QWidget* box, const QString& text) {
    ClickOn(box);
    PressKey(Qt::Key_A, Qt::ControlModifier);
    const bool typeable = std::none_of(text.begin(), text.end(), [](QChar c) { return c < u' '; });
    if (text.isEmpty())
        PressKey(Qt::Key_Delete);
    else if (typeable)
        TypeText(text);
    else
        PasteText(text);
}

// Opens the list of the combo box with a click on its arrow, moves to entry
// `index` with the arrow keys in the open list and takes it with Return.
// (A click on an entry right after the list opened is swallowed by Qt as the
// end of the opening click, so the keyboard is the dependable way.)
inline void ChooseFromList(QComboBox* combo, int index) {
    ASSERT_NE(combo, nullptr);
    const QPoint arrow(combo->width() - 6, combo->height() / 2);
    QTest::mouseClick(combo, Qt::LeftButton, Qt::NoModifier, arrow);
    QAbstractItemView* view = combo->view();
    ASSERT_TRUE(QTest::qWaitFor([view] { return view->isVisible(); }, 5000))
        << "the list did not open";
    for (int guard = 0; guard < 200 && view->currentIndex().row() != index; ++guard)
        QTest::keyClick(view, view->currentIndex().row() < index ? Qt::Key_Down : Qt::Key_Up);
    ASSERT_EQ(view->currentIndex().row(), index) << "entry " << index << " is not in the list";
    QTest::keyClick(view, Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([view] { return !view->isVisible(); }, 5000))
        << "the list stayed open";
    QCoreApplication::processEvents();
    Focused(); // the focus comes back to the window once the popup is gone
}

// Closes any modal dialog that shows up while it lives and fails the test
// with its text: the program's messages go through the fake message service,
// so a real dialog means something bypassed it, and it would block the test.
class ModalWatchdog {
public:
    ModalWatchdog() {
        timer_.setInterval(50);
        QObject::connect(&timer_, &QTimer::timeout, &timer_, [] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal == nullptr) return;
            QString text = modal->windowTitle();
            if (auto* box = qobject_cast<QMessageBox*>(modal))
                text += QStringLiteral(": ") + box->text();
            ADD_FAILURE() << "an unexpected modal dialog appeared: " << text.toStdString();
            if (auto* dialog = qobject_cast<QDialog*>(modal))
                dialog->reject();
            else
                modal->close();
        });
        timer_.start();
    }

private:
    QTimer timer_;
};

} // namespace orvalt::test
