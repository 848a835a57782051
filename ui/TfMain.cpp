#include "ui/TfMain.h"

#include "controls/AlignLayout.h"
#include "controls/BevelPanel.h"
#include "controls/Fonts.h"
#include "controls/SaveFileDialog.h"
#include "controls/SystemColors.h"
#include "csvimport/GridImportDialog.h"

#include <QGuiApplication>
#include <QIcon>
#include <QPainter>
#include <QScreen>
#include <QShowEvent>
#include <QSvgRenderer>
#include <algorithm>

TfMain* fMain = nullptr;

namespace {

QIcon applicationIcon()
{
    QIcon icon;
    QSvgRenderer renderer(QStringLiteral(":/pictures/importeer.svg"));
    for (int size : {128, 96, 72, 64, 48, 40, 32, 24, 16}) {
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter p(&image);
        renderer.render(&p, QRectF(0, 0, size, size));
        p.end();
        icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

void setBackground(QWidget* widget, const QColor& color)
{
    QPalette pal = widget->palette();
    pal.setColor(QPalette::Window, color);
    pal.setColor(QPalette::Base, color);
    widget->setPalette(pal);
}

} // namespace

TfMain::TfMain(QWidget* parent) : QWidget(parent)
{
    // Pixel font sizes cannot be stored in the form file; the window's font is Arial 16 px,
    // and the two labels above the grid and the list Arial 27 px.
    setFont(fonts::arial(16));
    setupUi(this);
    lCSV->setFont(fonts::arial(27));
    lZBR->setFont(fonts::arial(27));
    lCSV->adjustSize();
    lZBR->adjustSize();

    setAutoFillBackground(true);
    setBackground(this, syscolors::btnFace());
    setBackground(mToelichting, syscolors::btnFace());
    mToelichting->viewport()->setCursor(Qt::PointingHandCursor);
    Memo->setColor(syscolors::window());
    Memo->setText(
        "Hier komen de leerlingennamen te \r\nstaan.\r\nOp elke regel \xE9\xE9n naam.\r\n");
    setWindowIcon(applicationIcon());

    AlignLayout::fromProperties(AdvPanel1, BevelPanel::kBevel);
    AlignLayout::fromProperties(pOnder, BevelPanel::kBevel);
    // The window's content scrolls when the window is too small for it.
    AlignLayout::fromProperties(this, 0)->setAutoScroll(true);

    Grid->setKeepMarksInLine(true);
    ImportDialog = new GridImportDialog(Grid, this);
    SaveDialog = new SaveFileDialog(this);
    SaveDialog->title = QStringLiteral("Bewaar de leerlingenlijst");
    SaveDialog->filter = QStringLiteral("*.zbr");
    SaveDialog->defaultExt = QStringLiteral("zbr");

    connect(tbStop, &QAbstractButton::clicked, this, &TfMain::tbStopClick);
    connect(tbNaarmemo, &QAbstractButton::clicked, this, &TfMain::tbNaarmemoClick);
    connect(tbBewaar, &QAbstractButton::clicked, this, &TfMain::tbBewaarClick);
    connect(tbImporteer, &QAbstractButton::clicked, this, &TfMain::tbImporteerClick);
    connect(Grid, &StringGrid::drawCell, this, &TfMain::GridDrawCell);
    connect(Grid, &StringGrid::mouseDown, this, &TfMain::GridMouseDown);
    connect(Splitter, &SplitterBar::moved, this, &TfMain::SplitterMoved);
}

TfMain::~TfMain() = default;

int TfMain::outerWidth() const
{
    return width() + kFrameWidth;
}

int TfMain::outerHeight() const
{
    return height() + kFrameHeight;
}

void TfMain::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (shown_ || event->spontaneous())
        return;

    // The first showing: the sample table, then centring, then the first layout.
    FormShow();
    if (!(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))) {
        const QRect screen = (this->screen() ? this->screen() : QGuiApplication::primaryScreen())
                                 ->availableGeometry();
        move(screen.left() + std::max(0, (screen.width() - outerWidth()) / 2),
             screen.top() + std::max(0, (screen.height() - outerHeight()) / 2));
    }
    shown_ = true;
    FormResize();
    mToelichting->setFocus(Qt::OtherFocusReason);
}

void TfMain::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (shown_)
        FormResize();
}

void TfMain::FormShow()
{
    Grid->setColCount(4);
    Grid->setRowCount(3);
    Grid->setCellEx(0, 0, "Groep\xA0");
    Grid->setCellEx(1, 0, "Voornaam\xA0");
    Grid->setCellEx(2, 0, "Tussenvoegsel\xA0");
    Grid->setCellEx(3, 0, "Achternaam\xA0");
    Grid->setCellEx(0, 1, "4");
    Grid->setCellEx(1, 1, "Jelmar");
    Grid->setCellEx(2, 1, "van der");
    Grid->setCellEx(3, 1, "Vlietman");
    Grid->setCellEx(0, 2, "5");
    Grid->setCellEx(1, 2, "Roosje");
    Grid->setCellEx(2, 2, "de");
    Grid->setCellEx(3, 2, "Brink");
    Grid->setAutoSize(true);
    // A window started maximised still lays the grid out for its normal width.
    const int normalOuterWidth = (windowState() & Qt::WindowMaximized)
                                     ? normalGeometry().width() + kFrameWidth
                                     : outerWidth();
    AlignLayout::setWidth(Grid, normalOuterWidth / 2);
}

void TfMain::tbStopClick()
{
    close();
}

void TfMain::tbImporteerClick()
{
    ImportDialog->openAndExecute();
}
