#pragma once

#include <QWidget>

class ContentView;

// The window's content: one centred column of sections, each reading the converter state.
class RootColumn : public QWidget {
    Q_OBJECT

public:
    RootColumn(ContentView& view, QWidget* parent = nullptr);
};
