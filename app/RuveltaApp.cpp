#include "app/RuveltaApp.h"

#include "core/ContentView.h"
#include "ui/QtFileDialogs.h"

#include <QApplication>
#include <QWidget>

int RuveltaApp::run(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ruvelta"));
    QApplication::setApplicationVersion(QStringLiteral(RUVELTA_VERSION));

    QtFileDialogs dialogs;
    ContentView contentView(dialogs);
    QWidget window;
    dialogs.setParentWindow(&window);
    window.setMinimumSize(700, 600);
    window.show();
    return QApplication::exec();
}
