#include "core/ContentView.h"
#include "core/FileDialogs.h"

void ContentView::selectPemFile() {
    const std::optional<QUrl> chosen =
        dialogs_.chooseFileToOpen({QStringLiteral("PEM Dosyası Seçin"),
                                   QStringLiteral("SSL sertifikası içeren PEM dosyasını seçin")});
    if (chosen)
        pickPemFile(*chosen);
}

void ContentView::pickPemFile(const QUrl& file) {
    setSelectedPemFile(file);
    if (!selectedPemFile_.isEmpty())
        setUrlString(QString());
}

void ContentView::clearSelectedFile() {
    setSelectedPemFile(QUrl());
}
