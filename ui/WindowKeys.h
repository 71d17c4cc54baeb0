#pragma once

#include <QList>

class ContentView;
class QWidget;

// The window's keys for what a person does often, beyond Tab and the access keys: Return presses
// the focused button, Ctrl+O picks a file, Ctrl+Q quits, Escape stops a run in flight, F6 and
// Shift+F6 go from section to section (`sections`, in reading order).
void addWindowKeys(QWidget* window, ContentView& view, const QList<QWidget*>& sections);
