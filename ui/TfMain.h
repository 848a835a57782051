#pragma once

#include "ui_TfMain.h"

#include <QWidget>

class GridImportDialog;
class QPainter;
class SaveFileDialog;
struct GridDrawState;

// The one window of Pluvana. Its controls come from TfMain.ui; the handlers react to their
// events. Handlers read controls, call the rules of core/, and write controls; none calls
// another.
class TfMain : public QWidget, public Ui::TfMain {
    Q_OBJECT

public:
    explicit TfMain(QWidget* parent = nullptr);
    ~TfMain() override;

    // Controls without a place in the window.
    GridImportDialog* ImportDialog;
    SaveFileDialog* SaveDialog;

    // The handlers.
    void SplitterMoved();
    void FormResize();
    void tbStopClick();
    void tbNaarmemoClick();
    void tbBewaarClick();
    void tbImporteerClick();
    void GridDrawCell(int ACol, int ARow, const QRect& Rect, const GridDrawState& State,
                      QPainter* Canvas);
    void FormShow();
    void GridMouseDown(Qt::MouseButton Button, Qt::KeyboardModifiers Shift, const QPoint& Pos);

    // The window's width and height including the frame it was designed with: 935 by 655
    // outside for 919 by 620 inside. The frame a window manager actually draws varies, so the
    // layout always reckons with the designed one.
    int outerWidth() const;
    int outerHeight() const;
    static constexpr int kFrameWidth = 935 - 919;
    static constexpr int kFrameHeight = 655 - 620;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    bool shown_ = false;
};

// The main window, created at start-up and living until the program ends.
extern TfMain* fMain;
