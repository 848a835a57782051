#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QImage>

// A large flat tool button: a 64 by 64 picture above its caption. Idle it shows the panel's
// colour; under the pointer a rounded face, the picture lifted and its grey shadow; pressed a
// darker face. It never takes the keyboard focus; Alt and the underlined letter click it.
class PictureButton : public QAbstractButton {
    Q_OBJECT
    Q_PROPERTY(QString picture READ picture WRITE setPicture)

public:
    explicit PictureButton(QWidget* parent = nullptr);

    // A resource path of an SVG picture.
    QString picture() const { return picture_; }
    void setPicture(const QString& path);

    QSize sizeHint() const override { return {113, 98}; }

    static constexpr int kPictureSize = 64;
    static constexpr int kGap = 4;
    static QColor colorHot() { return {199, 199, 202}; }
    static QColor colorDown() { return {210, 211, 216}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QString picture_;
    QImage image_;
    QImage shadow_;
    bool hot_ = false;
};
