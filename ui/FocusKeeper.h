#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class QWidget;

// Where keyboard focus goes when the control that has it is hidden or disabled: to the first of
// the window's safe controls that can take it, never on to whichever control comes next, which
// may be the reset button. While none can, the focus waits off any control and goes to the first
// that comes back. Moving it never scrolls the window.
class FocusKeeper : public QObject {
    Q_OBJECT

public:
    FocusKeeper(QWidget* window, QList<QWidget*> safeControls);

    // Shows or hides a widget, enables or disables one; a widget that goes with the focus in it
    // hands the focus over first. Without a keeper in its window, it gives the focus up.
    static void setPresent(QWidget* widget, bool present);
    static void setAvailable(QWidget* widget, bool available);
    // After a dialog: the window is active again, with the focus back on `previous` if it can
    // take it, otherwise where a control that goes would hand it.
    static void settle(QWidget* window, QWidget* previous);

private:
    static FocusKeeper* of(QWidget* widget);
    // Shows or enables the widget (`set`), or hides or disables it, handing its focus over first.
    static void change(QWidget* widget, bool on, void (QWidget::*set)(bool));
    static bool holdsFocus(QWidget* widget);
    void handOver(QWidget* leaving);
    void offer();

    QList<QPointer<QWidget>> safe_;
    bool waiting_ = false;
};
