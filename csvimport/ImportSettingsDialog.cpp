#include "csvimport/ImportSettingsDialog.h"

#include "controls/TextCodec.h"
#include "core/Errors.h"
#include "csvimport/PreviewGrid.h"
#include "csvimport/SplitRuler.h"
#include "csvimport/rules/FileRead.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QCheckBox>
#include <QFile>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>
#include <algorithm>

namespace {
// The widest ruler the dialog offers, in characters.
constexpr int kMaxRulerChars = 100000;

QRadioButton* radio(const QString& caption, const char* name, QWidget* parent)
{
    auto* button = new QRadioButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}
} // namespace

ImportSettingsDialog::ImportSettingsDialog(const QString& path, std::string head, QWidget* parent)
    : QDialog(parent), path_(path), head_(std::move(head))
{
    setWindowTitle(QStringLiteral("Import instellingen"));
    setModal(true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    rbDelimited_ = radio(QStringLiteral("Scheidingsteken"), "rbDelimited", this);
    rbFixed_ = radio(QStringLiteral("Fixed"), "rbFixed", this);
    modes_ = new QButtonGroup(this);
    modes_->addButton(rbDelimited_);
    modes_->addButton(rbFixed_);
    rbDelimited_->setChecked(true);

    separatorFrame_ = new QFrame(this);
    separatorFrame_->setObjectName(QStringLiteral("separatorFrame"));
    separatorFrame_->setFrameShape(QFrame::StyledPanel);
    separators_ = new QButtonGroup(this);
    auto* grid = new QGridLayout(separatorFrame_);
    struct Choice {
        const char* caption;
        const char* name;
        char separator;
        int column;
        int row;
    };
    const Choice choices[] = {{"( ; )", "rbSemicolon", ';', 0, 0},
                              {"( - )", "rbMinus", '-', 0, 1},
                              {"( , )", "rbComma", ',', 1, 0},
                              {"( _ )", "rbUnderscore", '_', 1, 1}};
    for (const Choice& choice : choices) {
        QRadioButton* button = radio(QString::fromLatin1(choice.caption), choice.name, this);
        button->setProperty("separator", QVariant::fromValue(static_cast<int>(choice.separator)));
        separators_->addButton(button);
        grid->addWidget(button, choice.row, choice.column);
    }
    rbAutomatic_ = radio(QStringLiteral("Automatic"), "rbAutomatic", this);
    rbCustom_ = radio(QStringLiteral("Custom"), "rbCustom", this);
    separators_->addButton(rbAutomatic_);
    separators_->addButton(rbCustom_);
    rbAutomatic_->setChecked(true);
    edCustom_ = new QLineEdit(QStringLiteral(","), this);
    edCustom_->setObjectName(QStringLiteral("edCustom"));
    edCustom_->setMaxLength(1);
    edCustom_->setFixedWidth(28);
    edCustom_->setAlignment(Qt::AlignCenter);
    edCustom_->setContextMenuPolicy(Qt::NoContextMenu);
    edCustom_->setEnabled(false);
    edCustom_->installEventFilter(this);
    grid->addWidget(rbAutomatic_, 0, 2);
    auto* customRow = new QHBoxLayout;
    customRow->addWidget(rbCustom_);
    customRow->addWidget(edCustom_);
    customRow->addStretch();
    grid->addLayout(customRow, 1, 2);

    preview_ = new PreviewGrid(this);
    preview_->setObjectName(QStringLiteral("preview"));

    cbFirstRowHeaders_ = new QCheckBox(QStringLiteral("Kolomtitels bovenaan"), this);
    cbFirstRowHeaders_->setObjectName(QStringLiteral("cbFirstRowHeaders"));

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("btnOK"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Annuleer"), this);
    cancel->setObjectName(QStringLiteral("btnCancel"));
    cancel->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(rbDelimited_);
    layout->addWidget(separatorFrame_);
    layout->addWidget(rbFixed_);
    layout->addWidget(preview_);
    layout->addWidget(cbFirstRowHeaders_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    // A fixed size: the layout's own.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(modes_, &QButtonGroup::buttonClicked, this, &ImportSettingsDialog::modeChosen);
    connect(separators_, &QButtonGroup::buttonClicked, this,
            &ImportSettingsDialog::separatorChosen);
    connect(preview_->ruler(), &SplitRuler::splitsChanged, this, &ImportSettingsDialog::refill);

    refill();
}

void ImportSettingsDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (QScreen* s = screen())
        move(s->availableGeometry().center() - QPoint(width() / 2, height() / 2));
}

csv::ImportChoices ImportSettingsDialog::choices() const
{
    csv::ImportChoices c;
    c.fixedWidth = rbFixed_->isChecked();
    c.automatic = rbAutomatic_->isChecked();
    c.separator = separator_;
    c.splits = preview_->ruler()->splits();
    c.titlesOnTop = cbFirstRowHeaders_->isChecked();
    return c;
}

void ImportSettingsDialog::modeChosen(QAbstractButton* button)
{
    if (button == rbFixed_ && longestLine_ < 0) {
        // The ruler is as wide as the file's longest line; when the file cannot be read the
        // dialog stays in separator mode and the failure is shown once this click is done.
        try {
            longestLine_ = static_cast<int>(std::min<size_t>(
                csv::longestFixedLine(QFile::encodeName(path_).toStdString()), kMaxRulerChars));
        } catch (const core::Error& error) {
            rbDelimited_->setChecked(true);
            const std::string message = error.what();
            QTimer::singleShot(0, this, [message] { throw core::Error(message); });
            return;
        }
    }
    applyMode();
}

void ImportSettingsDialog::applyMode()
{
    const bool fixed = rbFixed_->isChecked();
    separatorFrame_->setEnabled(!fixed);
    preview_->ruler()->setEnabled(fixed);
    refill();
}

void ImportSettingsDialog::separatorChosen(QAbstractButton* button)
{
    edCustom_->setEnabled(button == rbCustom_);
    const QVariant sep = button->property("separator");
    if (sep.isValid())
        separator_ = static_cast<char>(sep.toInt());
    else if (button == rbCustom_)
        separator_ = custom_;
    refill();
}

bool ImportSettingsDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != edCustom_ || event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    const QString text = key->text();
    if (text.isEmpty() || text.at(0).unicode() < 0x20 || text.at(0).unicode() == 0x7f) {
        // Editing keys would empty the box; moving and leaving it (Tab, Enter, Esc) go on.
        const int k = key->key();
        return k == Qt::Key_Backspace || k == Qt::Key_Delete;
    }
    // Typing replaces the box's one character and makes it the separator.
    const QString typed = text.right(1);
    edCustom_->setText(typed);
    custom_ = textcodec::encode(typed).front();
    separator_ = custom_;
    refill();
    return true;
}

void ImportSettingsDialog::refill()
{
    const csv::ImportChoices c = choices();
    if (c.fixedWidth) {
        const int chars = longestLine_ + 2;
        preview_->showFixed(csv::buildPreview(head_, c, kPreviewLines), chars);
    } else {
        preview_->showSeparated(csv::buildPreview(head_, c, kPreviewLines));
    }
}
