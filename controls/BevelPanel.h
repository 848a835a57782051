#pragma once

#include <QWidget>

// A plain panel in the button-face colour with a raised 1-pixel bevel; the bevel insets the
// children it aligns by 1 pixel on each side.
class BevelPanel : public QWidget {
    Q_OBJECT

public:
    explicit BevelPanel(QWidget* parent = nullptr);

    static constexpr int kBevel = 1;

protected:
    void paintEvent(QPaintEvent* event) override;
};
