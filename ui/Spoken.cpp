#include "ui/Spoken.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace {

const char* const roleProperty = "ruveltaAccessibleRole";

QString wordFor(QStringView mark) {
    return mark == u"✅" ? QStringLiteral("başarılı") : QStringLiteral("hata");
}

const QRegularExpression& markPattern() {
    static const QRegularExpression mark(QStringLiteral("[✅❌]"));
    return mark;
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
    // Pictographs with their variation selector and the blank after them; the arrow between a
    // message and its file name reads as a colon.
    static const QRegularExpression decoration(
        QStringLiteral("[\\x{1F000}-\\x{1FAFF}\\x{2190}-\\x{21FF}\\x{2600}-\\x{27BF}\\x{2B00}-"
                       "\\x{2BFF}]\\x{FE0F}?\\s*"));
    const MarkedText marked = splitMark(shown);
    QString spoken = marked.text;
    if (!marked.word.isEmpty()) {
        spoken = marked.word + QStringLiteral(": ") + spoken;
    } else if (const QRegularExpressionMatch trailing = markPattern().match(spoken);
               trailing.hasMatch() && trailing.capturedEnd() == spoken.size()) {
        spoken = spoken.first(trailing.capturedStart()).trimmed() + QStringLiteral(", ") +
                 wordFor(trailing.capturedView());
    }
    spoken.replace(QStringLiteral(" → "), QStringLiteral(": "));
    return spoken.remove(decoration).trimmed();
}

MarkedText splitMark(const QString& shown) {
    const QString trimmed = shown.trimmed();
    const QRegularExpressionMatch leading = markPattern().match(trimmed);
    if (leading.capturedStart() != 0)
        return {QString(), QString(), trimmed};
    QString word = wordFor(leading.capturedView());
    word[0] = word[0].toUpper();
    return {leading.captured(), word, trimmed.mid(leading.capturedLength()).trimmed()};
}

QPushButton* makeSpokenButton(const QString& text, const QString& spoken, const char* objectName,
                              QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(objectName));
    button->setAccessibleName(spoken);
    return button;
}

void speakAs(QWidget* widget, const QString& shown) {
    const QString spoken = spokenText(shown);
    const QString name = spoken == shown ? QString() : spoken;
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

// Says the message now.
void speak(QWidget* from, const QString& message) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QAccessibleAnnouncementEvent event(from, message);
    QAccessible::updateAccessibility(&event);
#else
    // A notification without text to show, in a corner of the window, that says its message as
    // it shows. One for each message: a screen reader reads it a moment later, by which time a
    // message that followed at once would have replaced the first.
    auto* voice = new QLabel(from->window());
    voice->setObjectName(QStringLiteral("announcement"));
    setAccessibleRole(voice, QAccessible::Notification);
    voice->setAccessibleName(message);
    voice->setFixedSize(1, 1);
    voice->show();
    QTimer::singleShot(std::chrono::seconds(30), voice, &QObject::deleteLater);
#endif
}

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

} // namespace

void say(QWidget* from, const QString& message) {
    QWidget* window = from->window();
    if (QApplication::activeWindow() == window) {
        speak(from, message);
        return;
    }
    // Screen readers pass over news from a window that is not the active one, as just after a
    // dialog closed: it is said once the window is active again, or after a second at most.
    auto* waiting = new ActivationWait(window, [from = QPointer<QWidget>(from), message] {
        if (from)
            speak(from, message);
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
