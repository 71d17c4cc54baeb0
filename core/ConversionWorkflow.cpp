#include "core/ContentView.h"
#include "core/FailureReasons.h"
#include "core/FileDialogs.h"
#include "pipeline/SaveDestination.h"
#include "pipeline/StagedFile.h"

#include <QFutureWatcher>
#include <QPointer>
#include <QtConcurrentRun>

void ContentView::convertPemFileToDer(Run* run, const QUrl& fileUrl, std::optional<PemText> known,
                                      Conversion conversion) {
    appendDebugLog(run, QStringLiteral("🔄 PEM'den DER'e dönüştürme başlatılıyor..."));
    setStep(run, ProcessingStep::converting, 0.95);

    const QString path = fileUrl.toLocalFile();
    // The name as it stood when the work started, whatever is typed while the file is read.
    conversion.proposedName = outputName_;
    if (known) {
        convertPemSource(run, path, PemSource::inspect(std::move(known)), std::move(conversion));
        return;
    }
    // A big file would freeze the window while it is read; the watcher goes with the run. The
    // run goes on from a queued call, so that the save dialog is never open inside the
    // watcher's own signal.
    auto* reading = new QFutureWatcher<PemSource>(run);
    connect(
        reading, &QFutureWatcherBase::finished, run,
        [this, run, reading, path, conversion] {
            convertPemSource(run, path, reading->result(), conversion);
        },
        Qt::QueuedConnection);
    reading->setFuture(QtConcurrent::run(&fileReading_, [path] { return PemSource::read(path); }));
}

void ContentView::convertPemSource(Run* run, const QString& path, const PemSource& source,
                                   Conversion conversion) {
    if (!source.text) {
        reportFailure(run, QStringLiteral("❌ PEM dosyası okunamadı"),
                      QStringLiteral("❌ PEM dosyası okunamadı"),
                      FailureReasons::unreadableFile(path));
        return;
    }
    if (source.blocks.isEmpty()) {
        reportFailure(run, QStringLiteral("❌ PEM'de sertifika bloğu bulunamadı"),
                      QStringLiteral("❌ Sertifika bloğu bulunamadı"),
                      FailureReasons::noCertificate(path, *source.text));
        return;
    }
    // Known before anyone is asked where to save it: the tool would only fail on it later.
    if (!source.first) {
        reportFailure(run, QStringLiteral("❌ İlk sertifika bloğu bozuk: ") + path,
                      QStringLiteral("❌ Dönüştürme başarısız"),
                      FailureReasons::damagedCertificate(path));
        return;
    }
    conversion.certificatesInSource = source.blocks.size();
    // A download's chain is always worth a look; a file's, once it holds more than one.
    if (!conversion.host.isEmpty() || source.blocks.size() > 1)
        conversion.chainToList.emplace(*source.text, source.blocks);
    conversion.certificate = *source.first;
    convertCertificate(run, source.text->text(source.blocks.front()), std::move(conversion));
}

void ContentView::listChain(const Conversion& conversion) {
    if (conversion.chainToList)
        chain_.show(conversion.chainToList->first, conversion.chainToList->second);
}

void ContentView::cancelSave(Run* run) {
    appendDebugLog(run, QStringLiteral("⚠️ Kullanıcı dosya kaydetme işlemini iptal etti"));
    setStatusMessage(QStringLiteral("Kaydetme iptal edildi"), StatusKind::notice);
    setStep(run, ProcessingStep::none, 0.0);
    finishRun(run);
}

void ContentView::convertCertificate(Run* run, const QString& block, Conversion conversion) {
    conversion.inputFile = run->folder.filePath(QStringLiteral("first_cert.pem"));
    const QString error = conversion.inputFile.isEmpty()
                              ? run->folder.error()
                              : writeWorkingFile(conversion.inputFile, block.toUtf8());
    if (!error.isEmpty()) {
        reportFailure(run, QStringLiteral("❌ Geçici dosya yazılamadı: ") + error,
                      QStringLiteral("❌ Geçici dosya hatası"),
                      QStringLiteral("Sertifika geçici klasöre yazılamadı: ") + error);
        return;
    }

    const QPointer<Run> stillRunning = run;
    const std::optional<QUrl> chosen = dialogs_.chooseFileToSave(
        {QStringLiteral("DER Dosyasını Kaydet"),
         QStringLiteral("DER formatındaki sertifika dosyasını kaydedeceğiniz konumu seçin"),
         proposedName(conversion.proposedName, defaultOutputName, QStringLiteral("der")),
         QStringLiteral("der")});
    // A reset while the dialog was open has ended the run.
    if (!stillRunning)
        return;
    listChain(conversion);
    if (!chosen || chosen->isEmpty()) {
        cancelSave(run);
        return;
    }

    conversion.destination = withExtension(chosen->toLocalFile(), QStringLiteral("der"));
    appendDebugLog(run, QStringLiteral("💾 Çıktı DER dosya yolu: ") + conversion.destination);
    conversion.output = std::make_shared<StagedFile>(conversion.destination);
    if (conversion.output->refused()) {
        reportFailure(
            run, QStringLiteral("❌ Dosyayı değiştirme izni yok: ") + conversion.destination,
            QStringLiteral("❌ Dönüştürme başarısız"),
            FailureReasons::notWritable(conversion.destination, conversion.output->error()));
        return;
    }
    convertToDer(run, conversion);
}
