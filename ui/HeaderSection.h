#pragma once

#include <QWidget>

class HeaderSection : public QWidget {
    Q_OBJECT

public:
    explicit HeaderSection(QWidget* parent = nullptr);

    // What the window is for, as it is said when the window opens.
    static QString spoken();
};
