#include "ui/ConvertButton.h"

#include "core/ContentView.h"
#include "ui/AppStyle.h"
#include "ui/BusyIcon.h"
#include "ui/FocusKeeper.h"
#include "ui/Spoken.h"
#include "ui/Typography.h"

ConvertButton::ConvertButton(ContentView& view, QWidget* parent)
    : QPushButton(parent)
    , view_(view) {
    setObjectName(QStringLiteral("convertButton"));
    setButtonKind(this, ButtonKind::prominent);
    setFont(roleFont(TextRole::body, QFont::Medium));
    turning_.setInterval(100);
    connect(&turning_, &QTimer::timeout, this, qOverload<>(&QWidget::update));

    connect(this, &QPushButton::clicked, &view_, &ContentView::startConversion);
    connect(&view_, &ContentView::isProcessingChanged, this, &ConvertButton::showState);
    connect(&view_, &ContentView::urlStringChanged, this, &ConvertButton::showState);
    connect(&view_, &ContentView::selectedPemFileChanged, this, &ConvertButton::showState);
    showState();
}

void ConvertButton::showState() {
    const bool busy = view_.isProcessing();
    // The focus has left the button by then; its new word is said.
    if (busy && text() != QStringLiteral("İşleniyor..."))
        say(this, QStringLiteral("İşleniyor..."));
    setText(busy ? QStringLiteral("İşleniyor...") : QStringLiteral("🚀 DER Dosyası Oluştur"));
    speakAs(this, text());
    setIcon(busy ? busyIcon(Theme::accentText()) : QIcon());
    if (busy)
        turning_.start();
    else
        turning_.stop();
    // No trimming: a single blank is an address to try.
    const bool hasSource = !view_.urlString().isEmpty() || !view_.selectedPemFile().isEmpty();
    setButtonBusy(this, busy);
    FocusKeeper::setAvailable(this, !busy && hasSource);
}
