#pragma once

#include <QAccessible>
#include <QList>
#include <QString>
#include <QStringList>

class QPushButton;
class QWidget;

// What assistive technology says for a text the window shows: pictographs are left out, and the
// arrow before a file's name reads as a colon.
QString spokenText(const QString& shown);

// A text read where it stands, offset by offset, as screen readers read a text's lines: each
// pictograph, with its variation selector, is as many blanks as it takes characters, and an arrow
// reads as a colon, so that every other character keeps its place.
QString picturesBlanked(const QString& shown);

// A control's text as it reads without its access key's mark ("&Kaydet" is "Kaydet").
QString withoutMnemonic(const QString& shown);

// "a, b ve c": the items as a sentence lists them.
QString listed(const QStringList& items);

// A push button found by `objectName`, whose spoken name says what it acts on.
QPushButton* makeSpokenButton(const QString& text, const QString& spoken, const char* objectName,
                              QWidget* parent);

// A push button that copies: once pressed (`confirm`), it says "Kopyalandı" for a moment where
// the person looks, as wide as before. Its timer, a child named "copyConfirmation", brings the
// text back.
QPushButton* makeCopyButton(const QString& text, const QString& spoken, const char* objectName,
                            QWidget* parent);
void confirmCopied(QPushButton* button);

// The height of a push button showing `text`, before any is made for the window.
int buttonHeight(const QString& text);

// Gives the widget the spoken form of the text it shows as its name, where the two differ.
void speakAs(QWidget* widget, const QString& shown);

// What the widget is to assistive technology where Qt's own guess is wrong. Call before anything
// asks.
//  - Notification: news a screen reader speaks as it comes, without the focus moving there,
//    spoken as its text (a label) or as the labels in it; as it shows, and at each announce().
//  - StatusBar: a report on the work; screen readers then leave the progress bar inside it to
//    be read where the person goes to it, instead of calling out each percentage.
//  - Separator: a line, not a frame a screen reader could take for a window.
void setAccessibleRole(QWidget* widget, QAccessible::Role role);
void announce(QWidget* widget);
// Says a message that nothing on screen shows, such as what an action did, without moving the
// focus: as an announcement where Qt has them, else as a notification of the window's.
void say(QWidget* from, const QString& message);
