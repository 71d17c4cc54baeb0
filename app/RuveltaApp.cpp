#include "app/RuveltaApp.h"

#include "core/ContentView.h"
#include "ui/QtFileDialogs.h"
#include "ui/RootColumn.h"

#include <QApplication>

int RuveltaApp::run(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ruvelta"));
    QApplication::setApplicationVersion(QStringLiteral(RUVELTA_VERSION));

    QtFileDialogs dialogs;
    ContentView contentView(dialogs);
    RootColumn window(contentView);
    dialogs.setParentWindow(&window);
    window.show();
    return QApplication::exec();
}
