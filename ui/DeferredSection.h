#pragma once

#include <QWidget>
#include <functional>

// The place in the column of a section that is made only when it is first needed, so that the
// window starts without what it does not show. It holds the section's place in the tab order and
// for assistive technology, and is shown and hidden with it.
class DeferredSection : public QWidget {
    Q_OBJECT

public:
    using Make = std::function<QWidget*(QWidget* parent)>;

    DeferredSection(Make make, QWidget* parent);

    // Makes the section, the first time only.
    void build();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void takeTabPlace();

    Make make_;
    QWidget* section_ = nullptr;
};
