#include "ui/HeaderSection.h"

#include "ui/Spoken.h"
#include "ui/Typography.h"

#include <QCoreApplication>
#include <QLabel>
#include <QVBoxLayout>

namespace {

QString titleText() {
    return QCoreApplication::translate("HeaderSection", "🔐 Sertifika Dönüştürücü");
}

QString subtitleText() {
    return QCoreApplication::translate(
        "HeaderSection", "SSL sertifikalarını PEM formatından DER formatına dönüştürün");
}

} // namespace

QString HeaderSection::spoken() {
    return spokenText(titleText()) + QStringLiteral(". ") + subtitleText() + u'.';
}

HeaderSection::HeaderSection(QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("headerSection"));
    auto* title =
        makeLabel(titleText(), TextRole::largeTitle, QFont::Bold, Hue::label, windowSurface, this);
    title->setObjectName(QStringLiteral("titleLabel"));
    auto* subtitle = makeLabel(subtitleText(), TextRole::subheadline, QFont::Normal, Hue::secondary,
                               windowSurface, this);
    subtitle->setObjectName(QStringLiteral("subtitleLabel"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    layout->addWidget(title, 0, Qt::AlignHCenter);
    layout->addWidget(subtitle, 0, Qt::AlignHCenter);
}
