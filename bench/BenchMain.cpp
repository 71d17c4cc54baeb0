#include "BenchTable.h"

#include <QApplication>

int main(int argc, char** argv) {
    // The benchmarks drive real widgets and dialogs seams headless, as the tests do.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    return runBenchmarksAndPrintTable(argc, argv);
}
