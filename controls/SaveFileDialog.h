#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <optional>

// The save-file dialog with its settings, shown as the platform's file dialog. It never asks
// before replacing an existing file, and offers the last confirmed path again.
class SaveFileDialog : public QObject {
    Q_OBJECT

public:
    explicit SaveFileDialog(QObject* parent = nullptr);

    QString title;
    QString filter;     // one name pattern, "*.zbr"
    QString defaultExt; // appended to a name confirmed without an extension
    QString initialDir; // the folder the dialog opens in when no earlier path is offered
    QString fileName;   // the last confirmed full path

    // Shows the dialog modally. True when the user confirmed a name: fileName then holds its
    // full path, the default extension appended where the name had none. A cancel changes
    // nothing.
    bool execute();

    // Answers the dialog in place of the user, for tests: given the dialog with its settings,
    // returns the path the user confirms (relative to the initial folder if not absolute), or
    // nothing for a cancel. An empty function shows the real dialog again.
    using Answer = std::function<std::optional<QString>(const SaveFileDialog& dialog)>;
    static void setAnswer(Answer answer);

private:
    std::optional<QString> ask() const;
};
