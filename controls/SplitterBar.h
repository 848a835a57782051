#pragma once

#include <QWidget>

// The bar between two aligned controls that the user drags to share the width between them.
class SplitterBar : public QWidget {
    Q_OBJECT

public:
    explicit SplitterBar(QWidget* parent = nullptr);

signals:
    // Raised at the end of a drag.
    void moved();

protected:
    void paintEvent(QPaintEvent* event) override;
};
