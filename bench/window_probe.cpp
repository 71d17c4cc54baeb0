// Starts a window, reports once its first frame has been drawn, and quits.
// Usage: window_probe app|bare|label
//   bare: an empty window of the app's minimum size, the floor for any Qt program;
//   label: the same with one line of text holding an emoji, to show what text costs.
// Prints "frame PEAK_RSS_KB" on standard output at the first frame.
#include "ProbeMemory.h"
#include "app/RuveltaApp.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

// Reports after the first paint has been delivered and flushed.
class FirstFrameReporter : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !reported_) {
            reported_ = true;
            QTimer::singleShot(0, [] {
                std::printf("frame %ld\n", procStatusKb("VmHWM"));
                std::fflush(stdout);
                QCoreApplication::quit();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool reported_ = false;
};

} // namespace

int main(int argc, char** argv) {
    const char* kind = argc > 1 ? argv[1] : "app";
    QApplication application(argc, argv);
    std::unique_ptr<RuveltaApp> app;
    std::unique_ptr<QWidget> bareWindow;
    QWidget* window = nullptr;
    if (std::strcmp(kind, "app") != 0) {
        bareWindow = std::make_unique<QWidget>();
        bareWindow->setMinimumSize(700, 600);
        if (std::strcmp(kind, "label") == 0)
            (new QVBoxLayout(bareWindow.get()))->addWidget(new QLabel("🔐 Sertifika Dönüştürücü"));
        window = bareWindow.get();
    } else {
        app = std::make_unique<RuveltaApp>();
        window = &app->window();
    }
    FirstFrameReporter reporter;
    window->installEventFilter(&reporter);
    window->show();
    return QApplication::exec();
}
