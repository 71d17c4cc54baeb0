#include "ui/ConvertButton.h"

#include "core/ContentView.h"
#include "ui/Spinner.h"
#include "ui/Style.h"

#include <QHBoxLayout>
#include <QLabel>

ConvertButton::ConvertButton(ContentView& view, QWidget* parent)
    : QPushButton(parent)
    , view_(view)
    , spinner_(new Spinner(Qt::white, this))
    , label_(makeLabel(QString(), TextRole::body, QFont::Medium, Qt::white, this)) {
    setObjectName(QStringLiteral("convertButton"));
    setFixedSize(200, 40);
    setStyleSheet(QStringLiteral("QPushButton { background: %1; border: none; border-radius: 6px; }"
                                 "QPushButton:pressed { background: %2; }"
                                 "QPushButton:disabled { background: %3; }")
                      .arg(SystemColor::blue.name(), SystemColor::blue.darker(120).name(),
                           withOpacity(SystemColor::blue, 0.4).name(QColor::HexArgb)));
    label_->setAttribute(Qt::WA_TransparentForMouseEvents);
    spinner_->setAttribute(Qt::WA_TransparentForMouseEvents);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(defaultSpacing);
    layout->addStretch(1);
    layout->addWidget(spinner_);
    layout->addWidget(label_);
    layout->addStretch(1);

    connect(this, &QPushButton::clicked, &view_, &ContentView::startConversion);
    connect(&view_, &ContentView::isProcessingChanged, this, &ConvertButton::showState);
    connect(&view_, &ContentView::urlStringChanged, this, &ConvertButton::showState);
    connect(&view_, &ContentView::selectedPemFileChanged, this, &ConvertButton::showState);
    showState();
}

QString ConvertButton::label() const {
    return label_->text();
}

void ConvertButton::showState() {
    const bool busy = view_.isProcessing();
    label_->setText(busy ? QStringLiteral("İşleniyor...")
                         : QStringLiteral("🚀 DER Dosyası Oluştur"));
    setAccessibleName(label_->text());
    spinner_->setVisible(busy);
    // No trimming: a single blank is an address to try.
    const bool hasSource = !view_.urlString().isEmpty() || !view_.selectedPemFile().isEmpty();
    setEnabled(!busy && hasSource);
}
