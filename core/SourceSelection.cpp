#include "core/ContentView.h"
#include "core/FileDialogs.h"

void ContentView::selectPemFile() {
    const std::optional<QUrl> chosen =
        dialogs_.chooseFileToOpen({QStringLiteral("PEM Dosyası Seçin"),
                                   QStringLiteral("SSL sertifikası içeren PEM dosyasını seçin")});
    if (!chosen)
        return;
    setSelectedPemFile(*chosen);
    if (!selectedPemFile_.isEmpty())
        setUrlString(QString());
}

void ContentView::clearSelectedFile() {
    setSelectedPemFile(QUrl());
}
