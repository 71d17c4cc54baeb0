#include "ui/DebugPanel.h"

#include "core/ContentView.h"
#include "ui/FocusKeeper.h"
#include "ui/LogView.h"
#include "ui/Spoken.h"
#include "ui/Typography.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int logHeight = 200;
constexpr int gap = 8;

QString headingText() {
    return QCoreApplication::translate("DebugPanel", "🔍 Debug &Bilgileri");
}

QString clearText() {
    return QCoreApplication::translate("DebugPanel", "🗑 &Temizle");
}

} // namespace

DebugPanel::DebugPanel(ContentView& view, QWidget* parent)
    : QWidget(parent)
    , view_(view) {
    setObjectName(QStringLiteral("debugPanel"));
    // Made in reading order: the heading, which names the log, then the log and its buttons.
    auto* heading = makeLabel(headingText(), TextRole::headline, QFont::Normal, Hue::label,
                              windowSurface, this);
    auto* log = new LogView(view_, this);
    log->setFixedHeight(logHeight);
    heading->setBuddy(log);
    auto* clear =
        makeSpokenButton(clearText(), QCoreApplication::translate("DebugPanel", "Günlüğü temizle"),
                         "clearLogButton", this);
    connect(clear, &QPushButton::clicked, this, [this] {
        view_.clearDebugLog();
        say(this, QCoreApplication::translate("DebugPanel", "Günlük temizlendi"));
    });
    auto* copy = makeCopyButton(QCoreApplication::translate("DebugPanel", "📋 Kopya&la"),
                                QCoreApplication::translate("DebugPanel", "Günlüğü kopyala"),
                                "copyLogButton", this);
    connect(copy, &QPushButton::clicked, this, [this, copy] {
        view_.copyDebugLog();
        confirmCopied(copy);
        say(this, QCoreApplication::translate("DebugPanel", "Günlük panoya kopyalandı"));
    });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(clear);
    buttons->addWidget(copy);
    buttons->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(gap);
    layout->addWidget(heading, 0, Qt::AlignLeft);
    layout->addWidget(log);
    layout->addLayout(buttons);

    connect(&view_, &ContentView::debugOutputChanged, this,
            [this] { FocusKeeper::setPresent(this, !view_.debugOutput().isEmpty()); });
    setVisible(!view_.debugOutput().isEmpty());
}

int DebugPanel::expectedHeight() {
    return textHeight(headingText(), roleFont(TextRole::headline)) + gap + logHeight + gap +
           buttonHeight(clearText());
}
