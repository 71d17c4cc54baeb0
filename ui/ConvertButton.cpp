#include "ui/ConvertButton.h"

#include "core/ContentView.h"
#include "ui/AppStyle.h"
#include "ui/BusyIcon.h"
#include "ui/FocusKeeper.h"
#include "ui/Spoken.h"
#include "ui/Typography.h"

#include <QCoreApplication>

ConvertButton::ConvertButton(ContentView& view, QWidget* parent)
    : QPushButton(parent)
    , view_(view) {
    setObjectName(QStringLiteral("convertButton"));
    setButtonKind(this, ButtonKind::prominent);
    setFont(roleFont(TextRole::body, QFont::Medium));
    turning_.setInterval(100);
    connect(&turning_, &QTimer::timeout, this, qOverload<>(&QWidget::update));

    connect(this, &QPushButton::clicked, &view_, [this] {
        if (!view_.isProcessing())
            view_.startConversion();
    });
    connect(&view_, &ContentView::isProcessingChanged, this, &ConvertButton::showState);
    connect(&view_, &ContentView::urlStringChanged, this, &ConvertButton::showState);
    connect(&view_, &ContentView::selectedPemFileChanged, this, &ConvertButton::showState);
    showState();
}

void ConvertButton::showState() {
    const bool busy = view_.isProcessing();
    // Screen readers pass over a new name, even on the button with the focus; it is said.
    if (busy && text() != QCoreApplication::translate("ConvertButton", "İşleniyor..."))
        say(this, QCoreApplication::translate("ConvertButton", "İşleniyor..."));
    setText(busy ? QCoreApplication::translate("ConvertButton", "İşleniyor...")
                 : QCoreApplication::translate("ConvertButton", "🚀 &DER Dosyası Oluştur"));
    speakAs(this, text());
    setAccessibleDescription(
        busy ? QCoreApplication::translate("ConvertButton", "Durdurmak için Escape tuşuna basın.")
             : QString());
    setIcon(busy ? busyIcon(Theme::accentText()) : QIcon());
    if (busy)
        turning_.start();
    else
        turning_.stop();
    // No trimming: a single blank is an address to try.
    const bool hasSource = !view_.urlString().isEmpty() || !view_.selectedPemFile().isEmpty();
    setButtonBusy(this, busy);
    // While busy it keeps the focus, drawn and spoken as busy and taking no press, so that the
    // focus stays in one place from the start of a run to its end, the save dialog included.
    FocusKeeper::setAvailable(this, busy || hasSource);
}
