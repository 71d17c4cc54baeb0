#include "ui/QtFileDialogs.h"

#include "pipeline/DerDestination.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>

namespace {

// Applies the extension rule when the person confirms, so that the overwrite question (asked
// inside QFileDialog::accept) is about the file that will really be written.
class DerSaveDialog : public QFileDialog {
public:
    using QFileDialog::QFileDialog;

    void accept() override {
        const QStringList files = selectedFiles();
        if (!files.isEmpty()) {
            const QString corrected = withDerExtension(files.front());
            if (corrected != files.front())
                selectFile(corrected);
        }
        QFileDialog::accept();
    }
};

void prepare(QFileDialog& dialog, const QString& title, const QString& message) {
    dialog.setWindowTitle(title);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) {
        auto* label = new QLabel(message, &dialog);
        label->setWordWrap(true);
        grid->addWidget(label, grid->rowCount(), 0, 1, grid->columnCount());
    }
}

std::optional<QUrl> run(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QList<QUrl> urls = dialog.selectedUrls();
    return urls.isEmpty() ? QUrl() : urls.front();
}

} // namespace

std::optional<QUrl> QtFileDialogs::chooseFileToOpen(const OpenDialogRequest& request) {
    QFileDialog dialog(parent_);
    prepare(dialog, request.title, request.message);
    dialog.setObjectName(QStringLiteral("openPemDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return run(dialog);
}

std::optional<QUrl> QtFileDialogs::chooseFileToSave(const SaveDialogRequest& request) {
    DerSaveDialog dialog(parent_);
    prepare(dialog, request.title, request.message);
    dialog.setObjectName(QStringLiteral("saveDerDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QStringLiteral("DER (*.%1)").arg(request.allowedType));
    dialog.selectFile(request.proposedName);
    return run(dialog);
}
