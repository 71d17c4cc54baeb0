#include "ui/DebugPanel.h"

#include "core/ContentView.h"
#include "ui/LogView.h"
#include "ui/Style.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

DebugPanel::DebugPanel(ContentView& view, QWidget* parent)
    : QWidget(parent)
    , view_(view) {
    setObjectName(QStringLiteral("debugPanel"));

    auto* log = new LogView(view_, this);
    log->setFixedHeight(200);

    auto* clear = new QPushButton(QStringLiteral("🗑 Temizle"), this);
    clear->setObjectName(QStringLiteral("clearLogButton"));
    clear->setAccessibleName(clear->text());
    connect(clear, &QPushButton::clicked, &view_, &ContentView::clearDebugLog);
    auto* copy = new QPushButton(QStringLiteral("📋 Kopyala"), this);
    copy->setObjectName(QStringLiteral("copyLogButton"));
    copy->setAccessibleName(copy->text());
    connect(copy, &QPushButton::clicked, &view_, &ContentView::copyDebugLog);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(defaultSpacing);
    buttons->addWidget(clear);
    buttons->addWidget(copy);
    buttons->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    layout->addWidget(makeLabel(QStringLiteral("🔍 Debug Bilgileri"), TextRole::headline), 0,
                      Qt::AlignLeft);
    layout->addWidget(log);
    layout->addLayout(buttons);

    connect(&view_, &ContentView::debugOutputChanged, this,
            [this] { setVisible(!view_.debugOutput().isEmpty()); });
    setVisible(!view_.debugOutput().isEmpty());
}
