#include "ui/ConvertButton.h"

#include "core/ContentView.h"
#include "ui/AppStyle.h"
#include "ui/Spinner.h"
#include "ui/Style.h"

#include <QHBoxLayout>
#include <QLabel>

namespace {

constexpr QSize labelArea(200, 40);

} // namespace

ConvertButton::ConvertButton(ContentView& view, QWidget* parent)
    : QPushButton(parent)
    , view_(view)
    , spinner_(new Spinner(Theme::accentText(), this))
    , label_(makeLabel(QString(), TextRole::body, QFont::Medium, Hue::label, windowSurface, this)) {
    setObjectName(QStringLiteral("convertButton"));
    setButtonKind(this, ButtonKind::prominent);
    // The label area, with room around it for the focus ring.
    setFixedSize(labelArea + QSize(2 * focusRingRoom, 2 * focusRingRoom));
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
    setControlEnabled(this, !busy && hasSource);
    // While the work runs the button keeps its colour; without a source it looks unavailable.
    setButtonBusy(this, busy);
    setTextColor(label_, busy || hasSource ? Theme::accentText() : Theme::unavailableText());
}
