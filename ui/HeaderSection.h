#pragma once

#include <QWidget>

class HeaderSection : public QWidget {
    Q_OBJECT

public:
    explicit HeaderSection(QWidget* parent = nullptr);
};
