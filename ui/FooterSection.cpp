#include "ui/FooterSection.h"

#include "core/ContentView.h"
#include "ui/Spoken.h"
#include "ui/Typography.h"

#include <QCoreApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

FooterSection::FooterSection(QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("footerSection"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);

    auto* divider = new QFrame(this);
    divider->setFrameShape(QFrame::HLine);
    divider->setFrameShadow(QFrame::Plain);
    setAccessibleRole(divider, QAccessible::Separator);
    auto* inset = new QHBoxLayout;
    inset->setContentsMargins(50, 0, 50, 0);
    inset->addWidget(divider);
    layout->addSpacing(20);
    layout->addLayout(inset);

    auto* lines = new QVBoxLayout;
    lines->setSpacing(2);
    layout->addSpacing(8);
    auto* version = makeLabel(
        QCoreApplication::translate("FooterSection", "Version ") + ContentView::appVersion(),
        TextRole::caption2, QFont::Normal, Hue::secondary, windowSurface, this);
    version->setObjectName(QStringLiteral("versionLabel"));
    auto* maker = makeLabel(QCoreApplication::translate("FooterSection", "Powered by Quessor"),
                            TextRole::caption2, QFont::Medium, Hue::secondary, windowSurface, this);
    maker->setObjectName(QStringLiteral("makerLabel"));
    lines->addWidget(version, 0, Qt::AlignHCenter);
    lines->addWidget(maker, 0, Qt::AlignHCenter);
    layout->addLayout(lines);
}
