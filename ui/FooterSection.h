#pragma once

#include <QWidget>

class FooterSection : public QWidget {
    Q_OBJECT

public:
    explicit FooterSection(QWidget* parent = nullptr);
};
