#include "ui/StatusBanner.h"

#include "core/ContentView.h"
#include "core/ReportText.h"
#include "ui/AppStyle.h"
#include "ui/FocusKeeper.h"
#include "ui/SelectableText.h"
#include "ui/Spoken.h"
#include "ui/Typography.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QUrl>
#include <QVBoxLayout>

namespace {

constexpr double tintOpacity = 0.2;
constexpr int gap = 4;
// Under a success, what was saved: six lines, of which the fingerprint may take two, up to three
// warnings of two lines each, whose emoji stand taller, and the folder.
constexpr int detailLineCount = 15;

QString showFolderText() {
    return QCoreApplication::translate("StatusBanner", "📂 Klasörde &göster");
}

// The mark of a report's kind, and the word it is said as; none for a notice.
struct Mark {
    QString shown;
    QString word;
};

Mark markFor(StatusKind kind) {
    switch (kind) {
    case StatusKind::success:
        return {QStringLiteral("✅"), QCoreApplication::translate("StatusBanner", "Başarılı")};
    case StatusKind::warning:
        return {QStringLiteral("⚠️"), QCoreApplication::translate("StatusBanner", "Uyarı")};
    case StatusKind::failure:
        return {QStringLiteral("❌"), QCoreApplication::translate("StatusBanner", "Hata")};
    case StatusKind::notice:
        break;
    }
    return {};
}

QString shownLine(const ReportLine& line) {
    return line.kind == ReportLine::Kind::warning ? QStringLiteral("⚠️ ") + line.text
                                                  : line.text;
}

// Green for a success, orange for one with a warning, red for a failure, blue for a notice.
Hue statusHue(StatusKind kind) {
    switch (kind) {
    case StatusKind::success:
        return Hue::green;
    case StatusKind::warning:
        return Hue::orange;
    case StatusKind::failure:
        return Hue::red;
    case StatusKind::notice:
        break;
    }
    return Hue::blue;
}

// The headline, after the word of its mark, and each line under it, a sentence each. A
// fingerprint is left for the person to read where it stands rather than sat through at every
// success.
QString news(const Mark& mark, const RunReport& report) {
    const QString heading = spokenText(headline(report));
    QStringList sentences{mark.word.isEmpty() ? heading
                                              : mark.word + QStringLiteral(": ") + heading};
    for (const ReportLine& line : detailLines(report)) {
        if (line.kind != ReportLine::Kind::fingerprint)
            sentences << spokenText(shownLine(line));
    }
    for (QString& sentence : sentences) {
        while (sentence.endsWith(u'.'))
            sentence.chop(1);
    }
    return sentences.join(QStringLiteral(". "));
}

} // namespace

QString shownDetail(const RunReport& report) {
    QStringList lines;
    for (const ReportLine& line : detailLines(report))
        lines << shownLine(line);
    return lines.join(u'\n');
}

StatusBanner::StatusBanner(ContentView& view, QWidget* parent)
    : QGroupBox(parent)
    , view_(view)
    , mark_(new QLabel(this))
    , message_(new SelectableText(this))
    , detail_(new SelectableText(this))
    , showFolder_(makeSpokenButton(showFolderText(), QString(), "showFolderButton", this)) {
    setObjectName(QStringLiteral("statusBanner"));
    // Named, not read out whole, as the focus comes into it: the news is said as it comes.
    setAccessibleName(QCoreApplication::translate("StatusBanner", "Durum"));
    mark_->setObjectName(QStringLiteral("statusMark"));
    // The warning sign is drawn by the text face, in the status's shade: the emoji's yellow
    // would not stand apart from a light disc.
    mark_->setFont(roleFont(TextRole::body));
    mark_->setAlignment(Qt::AlignCenter);
    setBadgeLook(mark_);
    // A picture, named by its word: not a label to read out with the news.
    setAccessibleRole(mark_, QAccessible::Graphic);
    message_->setObjectName(QStringLiteral("statusMessage"));
    message_->setFont(roleFont(TextRole::body));
    detail_->setObjectName(QStringLiteral("statusDetail"));
    detail_->setFont(roleFont(TextRole::footnote));
    detail_->setAccessibleName(QCoreApplication::translate("StatusBanner", "Ayrıntılar"));
    // Reached with Tab, to be heard again after the announcement has gone by.
    for (SelectableText* text : {message_, detail_})
        text->setFocusPolicy(Qt::StrongFocus);

    auto* heading = new QHBoxLayout;
    heading->setSpacing(QFontMetrics(roleFont(TextRole::body)).horizontalAdvance(u' '));
    heading->addWidget(mark_, 0, Qt::AlignTop);
    heading->addWidget(message_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(gap);
    layout->addLayout(heading);
    layout->addWidget(detail_);
    layout->addWidget(showFolder_, 0, Qt::AlignLeft);
    layout->addStretch(1);
    connect(showFolder_, &QPushButton::clicked, this, [this] {
        const QString folder = QFileInfo(view_.savedFile()).absolutePath();
        if (!QDesktopServices::openUrl(QUrl::fromLocalFile(folder)))
            offerFolderPath(folder);
    });

    connect(&view_, &ContentView::statusMessageChanged, this, &StatusBanner::showState);
    // The box is outlined while the keys are in it, as a field shows its ring.
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { setCardOutlined(this, now && isAncestorOf(now)); });
    showState();
}

void StatusBanner::offerFolderPath(const QString& folder) {
    QMessageBox box(QMessageBox::Information,
                    QCoreApplication::translate("StatusBanner", "Klasör açılamadı"),
                    QCoreApplication::translate(
                        "StatusBanner", "Bu bilgisayarda klasörü açacak bir dosya yöneticisi "
                                        "bulunamadı. Yolunu kopyalayıp kendiniz açabilirsiniz:"),
                    QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("folderNotOpened"));
    box.setInformativeText(folder);
    box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    QPushButton* copy = box.addButton(QCoreApplication::translate("StatusBanner", "📋 Yolu kopyala"),
                                      QMessageBox::AcceptRole);
    box.button(QMessageBox::Ok)->setText(QCoreApplication::translate("StatusBanner", "Tamam"));
    box.setDefaultButton(copy);
    box.exec();
    FocusKeeper::settle(window(), showFolder_);
    if (box.clickedButton() != copy)
        return;
    QGuiApplication::clipboard()->setText(folder);
    say(this,
        QCoreApplication::translate("StatusBanner", "Klasör yolu panoya kopyalandı: ") + folder);
}

void StatusBanner::showState() {
    // While a chain is listed under it, the box keeps the largest size it had: the list's
    // actions stay where they were.
    const bool listed = view_.chain().rowCount() > 0 && isVisible();
    setMinimumSize(listed ? minimumSize().expandedTo(size()) : QSize(0, 0));
    const Surface surface{statusHue(view_.statusKind()), tintOpacity};
    setCardLook(this, surface, 8);
    // The mark is said as the word it stands for, the name of the message's text. A success
    // with something to mind is marked as a warning, its message kept.
    const RunReport& report = view_.report();
    const Mark mark = markFor(report.kind());
    mark_->setText(mark.shown);
    mark_->setAccessibleName(mark.word);
    mark_->setVisible(!mark.shown.isEmpty());
    message_->setText(headline(report));
    message_->setAccessibleName(
        mark.word.isEmpty() ? QCoreApplication::translate("StatusBanner", "Bilgi") : mark.word);
    for (QWidget* text : {static_cast<QWidget*>(mark_), static_cast<QWidget*>(message_)})
        Theme::setTone(text, toneFor(TextRole::body, surface.hue, surface));
    const QString detail = shownDetail(report);
    detail_->setText(detail);
    Theme::setTone(detail_, toneFor(TextRole::footnote, surface.hue, surface));
    FocusKeeper::setPresent(detail_, !detail.isEmpty());
    FocusKeeper::setPresent(showFolder_, !view_.savedFile().isEmpty());
    speakAs(showFolder_, showFolderText());
    if (!view_.savedFile().isEmpty())
        showFolder_->setAccessibleName(
            QCoreApplication::translate("StatusBanner", "Klasörde göster: ") +
            QFileInfo(view_.savedFile()).absolutePath());
    FocusKeeper::setPresent(this, !view_.statusMessage().isEmpty());
    if (!view_.statusMessage().isEmpty())
        say(this, news(mark, report));
}

int StatusBanner::expectedHeight() {
    const QStyle* style = QApplication::style();
    const int margins = style->pixelMetric(QStyle::PM_LayoutTopMargin) +
                        style->pixelMetric(QStyle::PM_LayoutBottomMargin) +
                        2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth);
    return margins + textHeight(QStringLiteral("✅"), roleFont(TextRole::body)) + gap +
           detailLineCount * QFontMetrics(roleFont(TextRole::footnote)).lineSpacing() + gap +
           buttonHeight(showFolderText());
}
