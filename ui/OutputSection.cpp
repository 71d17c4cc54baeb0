#include "ui/OutputSection.h"

#include "core/ContentView.h"
#include "ui/Style.h"

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

OutputSection::OutputSection(ContentView& view, QWidget* parent)
    : QWidget(parent)
    , view_(view)
    , nameField_(new QLineEdit(this)) {
    setObjectName(QStringLiteral("outputSection"));
    nameField_->setObjectName(QStringLiteral("outputNameField"));
    nameField_->setAccessibleName(QStringLiteral("Dosya adı"));
    nameField_->setPlaceholderText(QStringLiteral("Dosya adı (uzantısız)"));
    nameField_->setFixedWidth(400);
    connect(nameField_, &QLineEdit::textEdited, &view_, &ContentView::setOutputName);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    layout->addWidget(makeLabel(QStringLiteral("📤 Çıktı Ayarları"), TextRole::headline), 0,
                      Qt::AlignLeft);
    layout->addWidget(
        makeLabel(
            QStringLiteral("DER dosyasının adını belirleyin (.der uzantısı otomatik eklenir)"),
            TextRole::caption, QFont::Normal, SystemColor::secondaryText()),
        0, Qt::AlignLeft);
    layout->addWidget(nameField_, 0, Qt::AlignLeft);

    connect(&view_, &ContentView::outputNameChanged, this, &OutputSection::showState);
    connect(&view_, &ContentView::isProcessingChanged, this, &OutputSection::showState);
    showState();
}

void OutputSection::showState() {
    if (nameField_->text() != view_.outputName())
        nameField_->setText(view_.outputName());
    nameField_->setEnabled(!view_.isProcessing());
}
