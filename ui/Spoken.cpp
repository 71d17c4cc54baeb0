#include "ui/Spoken.h"

#include "ui/compat/Announcement.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace {

const char* const roleProperty = "ruveltaAccessibleRole";

bool isPictograph(char32_t c) {
    return (c >= 0x1F000 && c <= 0x1FAFF) || (c >= 0x2190 && c <= 0x21FF) ||
           (c >= 0x2600 && c <= 0x27BF) || (c >= 0x2B00 && c <= 0x2BFF);
}

// A widget with the role it was given; a label is named by the spoken form of its text.
class WidgetInRole : public QAccessibleWidget {
public:
    WidgetInRole(QWidget* widget, QAccessible::Role role)
        : QAccessibleWidget(widget, role) {}

    QString text(QAccessible::Text kind) const override {
        const auto* label = qobject_cast<const QLabel*>(widget());
        if (kind == QAccessible::Name && label && widget()->accessibleName().isEmpty())
            return spokenText(label->text());
        return QAccessibleWidget::text(kind);
    }
};

QAccessibleInterface* interfaceInRole(const QString&, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    const QVariant role = widget ? widget->property(roleProperty) : QVariant();
    return role.isValid() ? new WidgetInRole(widget, QAccessible::Role(role.toInt())) : nullptr;
}

} // namespace

QString spokenText(const QString& shown) {
    QString spoken = shown;
    spoken.replace(QStringLiteral(" → "), QStringLiteral(": "));
    return picturesBlanked(spoken).simplified();
}

QString picturesBlanked(const QString& shown) {
    QString spoken = shown;
    for (qsizetype i = 0; i < spoken.size(); ++i) {
        const bool pair = spoken[i].isHighSurrogate() && i + 1 < spoken.size();
        const char32_t point =
            pair ? QChar::surrogateToUcs4(spoken[i], spoken[i + 1]) : spoken[i].unicode();
        if (!isPictograph(point))
            continue;
        // The arrow between a message and its file name reads as a colon after the message.
        const bool arrow = point == U'→';
        const bool afterBlank = arrow && i > 0 && spoken[i - 1] == u' ';
        if (afterBlank)
            spoken[i - 1] = u':';
        spoken[i] = arrow && !afterBlank ? u':' : u' ';
        if (pair)
            spoken[++i] = u' ';
        if (i + 1 < spoken.size() && spoken[i + 1] == QChar(0xFE0F))
            spoken[++i] = u' ';
    }
    return spoken;
}

QString withoutMnemonic(const QString& shown) {
    QString plain;
    plain.reserve(shown.size());
    for (qsizetype i = 0; i < shown.size(); ++i) {
        if (shown[i] == u'&' && i + 1 < shown.size())
            ++i;
        plain.append(shown[i]);
    }
    return plain;
}

QString listed(const QStringList& items) {
    if (items.size() < 2)
        return items.join(QString());
    return items.first(items.size() - 1).join(QStringLiteral(", ")) +
           QCoreApplication::translate("Spoken", " ve ") + items.last();
}

QPushButton* makeSpokenButton(const QString& text, const QString& spoken, const char* objectName,
                              QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(objectName));
    button->setAccessibleName(spoken);
    return button;
}

namespace {

QString copiedText() {
    return QCoreApplication::translate("Spoken", "✅ Kopyalandı");
}

} // namespace

QPushButton* makeCopyButton(const QString& text, const QString& spoken, const char* objectName,
                            QWidget* parent) {
    QPushButton* button = makeSpokenButton(copiedText(), spoken, objectName, parent);
    const int confirmedWidth = button->sizeHint().width();
    button->setText(text);
    button->setMinimumWidth(qMax(confirmedWidth, button->sizeHint().width()));
    auto* back = new QTimer(button);
    back->setObjectName(QStringLiteral("copyConfirmation"));
    back->setSingleShot(true);
    back->setInterval(std::chrono::milliseconds(1500));
    QObject::connect(back, &QTimer::timeout, button, [button, text] { button->setText(text); });
    return button;
}

void confirmCopied(QPushButton* button) {
    button->setText(copiedText());
    button->findChild<QTimer*>(QStringLiteral("copyConfirmation"))->start();
}

int buttonHeight(const QString& text) {
    return QPushButton(text).sizeHint().height();
}

void speakAs(QWidget* widget, const QString& shown) {
    const QString plain = withoutMnemonic(shown);
    const QString spoken = spokenText(plain);
    const QString name = spoken == plain ? QString() : spoken;
    if (name != widget->accessibleName())
        widget->setAccessibleName(name);
}

void setAccessibleRole(QWidget* widget, QAccessible::Role role) {
    static const bool installed = [] {
        QAccessible::installFactory(interfaceInRole);
        return true;
    }();
    Q_UNUSED(installed);
    widget->setProperty(roleProperty, int(role));
}

namespace {

// Runs its task once, when the window it watches is activated, or when done() comes first.
class ActivationWait : public QObject {
public:
    ActivationWait(QWidget* window, std::function<void()> task)
        : QObject(window)
        , task_(std::move(task)) {
        window->installEventFilter(this);
    }
    void done() {
        if (task_)
            std::exchange(task_, nullptr)();
        deleteLater();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::WindowActivate)
            done();
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> task_;
};

// How long a screen reader takes to follow the window it is in: until then it passes over news
// from a window it does not yet see as the active one, as just after a dialog closed.
constexpr std::chrono::milliseconds followingTime{1500};
const char* const activatedProperty = "ruveltaActivated";

// Keeps the time each window it is installed on was last activated.
class ActivationClock : public QObject {
public:
    static QElapsedTimer since(QWidget* window) {
        if (!window->property(activatedProperty).isValid()) {
            window->installEventFilter(new ActivationClock(window));
            window->setProperty(activatedProperty, QVariant::fromValue(QElapsedTimer()));
        }
        return window->property(activatedProperty).value<QElapsedTimer>();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::WindowActivate) {
            QElapsedTimer now;
            now.start();
            watched->setProperty(activatedProperty, QVariant::fromValue(now));
        }
        return QObject::eventFilter(watched, event);
    }

private:
    using QObject::QObject;
};

// Says the message once the screen reader has surely followed the active window there.
void speakOnceFollowed(QWidget* from, const QString& message) {
    const QElapsedTimer activated = ActivationClock::since(from->window());
    const qint64 left = activated.isValid() ? followingTime.count() - activated.elapsed() : 0;
    if (left <= 0) {
        announceNow(from, message);
        return;
    }
    QTimer::singleShot(std::chrono::milliseconds(left), from,
                       [from, message] { announceNow(from, message); });
}

} // namespace

void say(QWidget* from, const QString& message) {
    QWidget* window = from->window();
    if (QApplication::activeWindow() == window) {
        speakOnceFollowed(from, message);
        return;
    }
    // Screen readers pass over news from a window that is not the active one: it is said once
    // the window is active again, or after a second at most.
    auto* waiting = new ActivationWait(window, [from = QPointer<QWidget>(from), message] {
        if (from)
            speakOnceFollowed(from, message);
    });
    QTimer::singleShot(std::chrono::seconds(1), waiting, [waiting] { waiting->done(); });
}

void announce(QWidget* widget) {
    // A screen reader speaks a notification as it shows; it shows anew with each news.
    if (widget->isVisible()) {
        QAccessibleEvent shown(widget, QAccessible::ObjectShow);
        QAccessible::updateAccessibility(&shown);
    }
}
