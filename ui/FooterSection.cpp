#include "ui/FooterSection.h"

#include "core/ContentView.h"
#include "ui/Style.h"

#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>

FooterSection::FooterSection(QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("footerSection"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);

    auto* dividerRow = new QWidget(this);
    auto* dividerLayout = new QVBoxLayout(dividerRow);
    dividerLayout->setContentsMargins(50, 20, 50, 0);
    auto* divider = new QFrame(dividerRow);
    divider->setFrameShape(QFrame::HLine);
    divider->setFrameShadow(QFrame::Plain);
    setTextColor(divider, Theme::border());
    dividerLayout->addWidget(divider);
    layout->addWidget(dividerRow);

    auto* lines = new QVBoxLayout;
    lines->setContentsMargins(0, 8, 0, 0);
    lines->setSpacing(2);
    auto* version =
        makeLabel(QStringLiteral("Version ") + ContentView::appVersion(), TextRole::caption2,
                  QFont::Normal, Hue::secondary, windowSurface, this);
    version->setObjectName(QStringLiteral("versionLabel"));
    auto* maker = makeLabel(QStringLiteral("Powered by Quessor"), TextRole::caption2, QFont::Medium,
                            Hue::secondary, windowSurface, this);
    maker->setObjectName(QStringLiteral("makerLabel"));
    lines->addWidget(version, 0, Qt::AlignHCenter);
    lines->addWidget(maker, 0, Qt::AlignHCenter);
    layout->addLayout(lines);
}
