#pragma once

#include <QObject>
#include <QString>

// The save-file dialog with its settings. Tests answer it through setAnswer().
class SaveFileDialog : public QObject {
    Q_OBJECT

public:
    explicit SaveFileDialog(QObject* parent = nullptr);

    QString title;
    QString filter;     // "*.zbr"
    QString defaultExt; // appended to a name typed without an extension
    QString initialDir; // the folder the dialog opens in
    QString fileName;   // the last confirmed full path

    // Shows the dialog modally; true when the user confirmed a name (then in fileName).
    bool execute();
};
