// What the widget tests do as a user does: type into a field, and answer a
// modal dialog, a message box or a popup menu that the program opens, through
// that window's own widgets once it is on the screen.
//
// A modal window runs its own event loop (exec), so a test answers it from a
// timer that the test starts before the command.  The timer looks every 10 ms
// for a visible window of the expected class and acts on it once it is there:
// whether that takes one tick or fifty (a slow or loaded machine) changes
// nothing.  Keys and clicks go to the widget meant, never to whichever widget
// has the keyboard focus; only a window's shortcut waits for its window to be
// the active one, as Qt delivers shortcuts there alone.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>
#include <utility>

// Clears a field with the keys and types text into it, one key event per
// character (QTest::keyClicks aborts on Cyrillic text).
inline void TypeInto(QLineEdit* edit, const QString& text)
{
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    for (QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

// Presses a window's keyboard shortcut (Ctrl+C, Ctrl+A ...) in target as a
// user does.  Qt gives a shortcut only to the active window, the one in front;
// so the target's window is brought to the front first and the key is pressed
// once it is active, instead of wherever the activation has got to.
inline void PressShortcut(QWidget* target, Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QWidget* window = target->window();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    QTest::keyClick(target, key, modifiers);
}

// Forgets the answered window when it is hidden.
class HideWatch : public QObject {
public:
    HideWatch(std::shared_ptr<QPointer<QWidget>> last, QObject* parent) : QObject(parent), m_last(std::move(last)) {}
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Hide && m_last->data() == watched)
            *m_last = nullptr;
        return false;
    }

private:
    std::shared_ptr<QPointer<QWidget>> m_last;
};

// The watch behind WhenShown and WhenMenuOpens: from its start until it is
// destroyed, it runs act on the window find returns, once that window is
// visible.  It acts once, or on every new window when each is set (a dialog
// shown again).  A watch that never saw its window stops with the test's
// scope instead of answering a later window meant for another watch.
class WindowAnswer {
public:
    WindowAnswer(std::function<QWidget*()> find, std::function<void(QWidget*)> act, bool each)
        : m_timer(std::make_unique<QTimer>()), m_count(std::make_shared<int>(0))
    {
        QTimer* timer = m_timer.get();
        auto last = std::make_shared<QPointer<QWidget>>();
        // A window answered and then hidden is forgotten, so that the same
        // dialog run again (exec in a loop) is answered again.
        QObject* hidden = new HideWatch(last, timer);
        timer->setInterval(10);
        QObject::connect(timer, &QTimer::timeout,
                         [timer, find = std::move(find), act = std::move(act), each, count = m_count, last, hidden] {
            QWidget* w = find();
            if (!w || !w->isVisible() || w == *last)
                return;
            // Stopped while act runs: act may wait (QTRY_*) and so run events.
            timer->stop();
            *last = w;
            w->installEventFilter(hidden);
            ++*count;
            act(w);
            // A check that failed inside act leaves no window waiting, so
            // that the test reports the failure instead of hanging.
            if (QTest::currentTestFailed() && *last && (*last)->isVisible()) {
                if (auto* d = qobject_cast<QDialog*>(last->data()))
                    d->reject();
                else
                    (*last)->close();
            }
            if (each && !QTest::currentTestFailed())
                timer->start();
        });
        timer->start();
    }
    WindowAnswer(WindowAnswer&&) = default;
    WindowAnswer& operator=(WindowAnswer&&) = default;

    // Whether act has run.
    bool operator*() const { return *m_count > 0; }

private:
    std::unique_ptr<QTimer> m_timer;
    std::shared_ptr<int> m_count;
};

// Answers the next modal dialog (or message box) of class D with act, once it
// is the modal window on the screen.  Keep the result while the command runs.
template <class D>
[[nodiscard]] WindowAnswer WhenShown(std::function<void(D*)> act)
{
    return WindowAnswer([] { return qobject_cast<D*>(QApplication::activeModalWidget()); },
                        [act = std::move(act)](QWidget* w) { act(static_cast<D*>(w)); }, false);
}

// The same for every dialog of class D shown while the result lives.
template <class D>
[[nodiscard]] WindowAnswer EachTimeShown(std::function<void(D*)> act)
{
    return WindowAnswer([] { return qobject_cast<D*>(QApplication::activeModalWidget()); },
                        [act = std::move(act)](QWidget* w) { act(static_cast<D*>(w)); }, true);
}

// Answers the next popup menu with act once it is open.
[[nodiscard]] inline WindowAnswer WhenMenuOpens(std::function<void(QMenu*)> act)
{
    return WindowAnswer([] { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); },
                        [act = std::move(act)](QWidget* w) { act(static_cast<QMenu*>(w)); }, false);
}

// Chooses path in an open file dialog as a user does: the name field's text
// selected and the path typed over it, the dialog's Open or Save button
// pressed; done when the dialog has closed.
//
// The dialog answers with the entries selected in its list, and it selects
// there every entry the name field names as the text changes: typed a
// character at a time, "/" and "/tmp" on the way, and the dialog's own folder
// when the field is emptied.  It drops those earlier selections only while
// the field has the keyboard focus, and whether it has it yet depends on the
// dialog's activation, that is on the machine and its load.  So the path
// replaces the text in one edit, as an input method commits a word: the list
// then holds the file itself or nothing, focused or not.  The dialog's answer
// is checked before the button is pressed: another existing file that the
// dialog opened with stays selected in an unfocused field, and the test then
// fails at the check instead of choosing that file.
inline void ChooseFile(QFileDialog* d, const QString& path)
{
    auto* name = d->findChild<QLineEdit*>("fileNameEdit");
    auto* buttons = d->findChild<QDialogButtonBox*>("buttonBox");
    QVERIFY(name && buttons);
    name->selectAll();
    QTest::sendKeyEvent(QTest::Click, name, Qt::Key_unknown, path, Qt::NoModifier);
    QTRY_COMPARE(d->selectedFiles(), QStringList{path});
    QPushButton* accept = buttons->button(d->acceptMode() == QFileDialog::AcceptOpen ? QDialogButtonBox::Open
                                                                                     : QDialogButtonBox::Save);
    QVERIFY(accept);
    QTRY_VERIFY(accept->isEnabled());
    const QPointer<QFileDialog> dialog(d);
    QTest::mouseClick(accept, Qt::LeftButton);
    QTRY_VERIFY(!dialog || !dialog->isVisible());
}

// Answers the next file dialog with path.
[[nodiscard]] inline WindowAnswer AnswerFileDialog(const QString& path)
{
    return WhenShown<QFileDialog>([path](QFileDialog* d) { ChooseFile(d, path); });
}
