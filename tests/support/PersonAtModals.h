#pragma once

#include <QObject>
#include <QStringList>
#include <QTimer>
#include <deque>
#include <functional>

class QWidget;

// Plays a person at modal windows: each step waits until a window of the given class is the
// active modal one, with keyboard focus inside it, then acts on it through keys and clicks and
// returns to the event loop, as a person's hands would. Steps run in order; a window that comes
// back (a dialog shown again after a question) is met by the next step that expects it.
class PersonAtModals : public QObject {
public:
    using Step = std::function<void(QWidget* window)>;

    PersonAtModals();
    ~PersonAtModals() override;

    // Queues a step for the next modal window whose class inherits `className`.
    PersonAtModals& at(const char* className, Step step);

    // The steps not yet taken; a test ends with none.
    qsizetype stepsLeft() const { return steps_.size(); }
    // What went wrong: a step that never found its window, or a window no step expected, is
    // reported here once the person gives up and closes what is open.
    QStringList problems;

private:
    void look();

    struct Pending {
        const char* className;
        Step step;
    };
    std::deque<Pending> steps_;
    QTimer timer_;
    int idleTicks_ = 0;
};

// Types text into the widget key by key, as a person would; letters such as ş or ı too.
void typeText(QWidget* widget, const QString& text);
// The same, into the widget that has keyboard focus.
void typeIntoFocus(const QString& text);
// Presses a key where keyboard focus is.
void pressKey(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
