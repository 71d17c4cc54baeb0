// Starts a window, reports once its first frame has been drawn, and quits.
// Usage: window_probe app|bare|static
//   app: the application as it starts: its set-up and its window;
//   bare: an empty window of the app's minimum size, the floor for any Qt program;
//   static: the window's texts in the same fonts, as plain labels without any logic, the floor
//   for a window that shows what this one shows.
// Prints "frame PEAK_RSS_KB" on standard output at the first frame.
#include "ProbeMemory.h"
#include "app/RuveltaApp.h"
#include "ui/Typography.h"

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

// What the fresh window shows, each text in its role and weight.
std::unique_ptr<QWidget> staticWindow() {
    auto window = std::make_unique<QWidget>();
    auto* layout = new QVBoxLayout(window.get());
    const std::pair<const char*, std::pair<TextRole, QFont::Weight>> texts[] = {
        {"🔐 Sertifika Dönüştürücü", {TextRole::largeTitle, QFont::Bold}},
        {"SSL sertifikalarını PEM formatından DER formatına dönüştürün",
         {TextRole::subheadline, QFont::Normal}},
        {"📥 Sertifika Kaynağını Seçin", {TextRole::headline, QFont::Normal}},
        {"Seçenek 1: URL'den İndir", {TextRole::subheadline, QFont::Medium}},
        {"Bir web sitesinin SSL sertifikasını otomatik olarak indirir",
         {TextRole::caption, QFont::Normal}},
        {"Örnek: example.com veya https://www.example.com", {TextRole::body, QFont::Normal}},
        {"VEYA", {TextRole::caption, QFont::Bold}},
        {"Seçenek 2: Dosyadan Seç", {TextRole::subheadline, QFont::Medium}},
        {"Bilgisayarınızdan mevcut bir PEM dosyası seçin", {TextRole::caption, QFont::Normal}},
        {"📂 PEM Dosyası Seç", {TextRole::body, QFont::Normal}},
        {"📤 Çıktı Ayarları", {TextRole::headline, QFont::Normal}},
        {"DER dosyasının adını belirleyin (.der uzantısı otomatik eklenir)",
         {TextRole::caption, QFont::Normal}},
        {"certificate", {TextRole::body, QFont::Normal}},
        {"🚀 DER Dosyası Oluştur", {TextRole::body, QFont::Medium}},
        {"🔄 Yeniden Başlat", {TextRole::body, QFont::Normal}},
        {"Version 0.1.0", {TextRole::caption2, QFont::Normal}},
        {"Powered by Quessor", {TextRole::caption2, QFont::Medium}},
    };
    for (const auto& [text, style] : texts) {
        auto* label = new QLabel(QString::fromUtf8(text));
        label->setFont(roleFont(style.first, style.second));
        layout->addWidget(label);
    }
    return window;
}

} // namespace

int main(int argc, char** argv) {
    const char* kind = argc > 1 ? argv[1] : "app";
    QApplication application(argc, argv);
    std::unique_ptr<RuveltaApp> app;
    std::unique_ptr<QWidget> floorWindow;
    QWidget* window = nullptr;
    if (std::strcmp(kind, "app") == 0) {
        RuveltaApp::setUpApplication();
        app = std::make_unique<RuveltaApp>();
        window = &app->window();
    } else {
        floorWindow =
            std::strcmp(kind, "static") == 0 ? staticWindow() : std::make_unique<QWidget>();
        floorWindow->setMinimumSize(700, 600);
        window = floorWindow.get();
    }
    FirstFrameReporter reporter;
    window->installEventFilter(&reporter);
    window->show();
    return QApplication::exec();
}
