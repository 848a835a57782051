#pragma once

#include "csvimport/rules/Table.h"

#include <QDialog>
#include <string>

class PreviewGrid;
class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QFrame;
class QLineEdit;
class QRadioButton;

// The import settings dialog: separator or fixed-width mode, the separator choice, the
// split positions on the ruler, the preview of the first lines and "Kolomtitels bovenaan".
// It starts in the same state every time it is built. Closing it by its title bar or Esc
// counts as "Annuleer".
class ImportSettingsDialog : public QDialog {
    Q_OBJECT

public:
    // `head` is the start of the file (enough for the preview); `path` is read again only
    // when "Fixed" needs the length of the file's longest line.
    ImportSettingsDialog(const QString& path, std::string head, QWidget* parent = nullptr);

    // The user's choices at this moment.
    csv::ImportChoices choices() const;

    PreviewGrid* preview() const { return preview_; }

    static constexpr int kPreviewLines = 10;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void modeChosen(QAbstractButton* button);
    void separatorChosen(QAbstractButton* button);
    void applyMode();
    void refill();

    QString path_;
    std::string head_;
    char custom_ = ',';    // the custom box's character as a byte
    char separator_ = ','; // the separator in force when not automatic
    int longestLine_ = -1; // fixed-width mode: known once "Fixed" was selected

    QRadioButton* rbDelimited_;
    QRadioButton* rbFixed_;
    QButtonGroup* modes_;
    QFrame* separatorFrame_;
    QButtonGroup* separators_;
    QRadioButton* rbAutomatic_;
    QRadioButton* rbCustom_;
    QLineEdit* edCustom_;
    PreviewGrid* preview_;
    QCheckBox* cbFirstRowHeaders_;
};
