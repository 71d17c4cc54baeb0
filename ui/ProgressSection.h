#pragma once

#include "core/ProcessingStep.h"

#include <QGroupBox>

class ContentView;
class QLabel;
class QProgressBar;

// "45%" for 0.45: the fraction times 100, truncated toward zero (0.999 gives 99).
QString percentageText(double progress);

// The current step, its progress bar and percentage; present while the work is busy, and after
// it, showing how it ended, until its result goes.
class ProgressSection : public QGroupBox {
    Q_OBJECT

public:
    ProgressSection(ContentView& view, QWidget* parent = nullptr);

private:
    void showState();

    ContentView& view_;
    QLabel* stepText_;
    QProgressBar* bar_;
    QLabel* percentage_;
    ProcessingStep shownStep_ = ProcessingStep::none;
};
