#include "ui/SourceSection.h"

#include "core/ContentView.h"
#include "ui/Style.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QVBoxLayout* optionBlock(const QString& title, const QString& hint, QWidget* control) {
    auto* block = new QVBoxLayout;
    block->setSpacing(4);
    block->addWidget(makeLabel(title, TextRole::subheadline, QFont::Medium), 0, Qt::AlignLeft);
    block->addWidget(
        makeLabel(hint, TextRole::caption, QFont::Normal, SystemColor::secondaryText()), 0,
        Qt::AlignLeft);
    block->addWidget(control, 0, Qt::AlignLeft);
    return block;
}

} // namespace

SourceSection::SourceSection(ContentView& view, QWidget* parent)
    : RoundedBox(withOpacity(SystemColor::gray, 0.1), 12, parent)
    , view_(view)
    , urlField_(new QLineEdit(this))
    , pickButton_(new QPushButton(QStringLiteral("📂 PEM Dosyası Seç"), this)) {
    setObjectName(QStringLiteral("sourceSection"));

    urlField_->setObjectName(QStringLiteral("urlField"));
    urlField_->setAccessibleName(QStringLiteral("URL"));
    urlField_->setFixedWidth(500);
    urlField_->setPlaceholderText(
        QStringLiteral("Örnek: example.com veya https://www.example.com"));
    connect(urlField_, &QLineEdit::textEdited, &view_, &ContentView::setUrlString);

    pickButton_->setObjectName(QStringLiteral("pickFileButton"));
    pickButton_->setAccessibleName(pickButton_->text());
    connect(pickButton_, &QPushButton::clicked, &view_, &ContentView::selectPemFile);

    auto* separator = makeLabel(QStringLiteral("VEYA"), TextRole::caption, QFont::Bold,
                                SystemColor::secondaryText());
    separator->setContentsMargins(0, 8, 0, 8);

    auto* options = new QVBoxLayout;
    options->setSpacing(12);
    options->addLayout(optionBlock(QStringLiteral("Seçenek 1: URL'den İndir"),
                                   QStringLiteral("Bir web sitesinin SSL sertifikasını otomatik "
                                                  "olarak indirir"),
                                   urlField_));
    options->addWidget(separator, 0, Qt::AlignLeft);
    options->addLayout(optionBlock(QStringLiteral("Seçenek 2: Dosyadan Seç"),
                                   QStringLiteral("Bilgisayarınızdan mevcut bir PEM dosyası seçin"),
                                   pickButton_));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(defaultPadding, defaultPadding, defaultPadding, defaultPadding);
    layout->setSpacing(16);
    layout->addWidget(makeLabel(QStringLiteral("📥 Sertifika Kaynağını Seçin"), TextRole::headline),
                      0, Qt::AlignHCenter);
    layout->addLayout(options);

    connect(&view_, &ContentView::urlStringChanged, this, &SourceSection::showState);
    connect(&view_, &ContentView::isProcessingChanged, this, &SourceSection::showState);
    showState();
}

void SourceSection::showState() {
    // Rewriting the same text would move the cursor while the person types.
    if (urlField_->text() != view_.urlString())
        urlField_->setText(view_.urlString());
    urlField_->setEnabled(!view_.isProcessing());
    pickButton_->setEnabled(!view_.isProcessing());
}
