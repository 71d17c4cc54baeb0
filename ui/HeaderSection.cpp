#include "ui/HeaderSection.h"

#include "ui/Style.h"

#include <QLabel>
#include <QVBoxLayout>

HeaderSection::HeaderSection(QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("headerSection"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    layout->addWidget(
        makeLabel(QStringLiteral("🔐 Sertifika Dönüştürücü"), TextRole::largeTitle, QFont::Bold), 0,
        Qt::AlignHCenter);
    layout->addWidget(
        makeLabel(QStringLiteral("SSL sertifikalarını PEM formatından DER formatına dönüştürün"),
                  TextRole::subheadline, QFont::Normal, SystemColor::secondaryText()),
        0, Qt::AlignHCenter);
}
