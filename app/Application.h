#pragma once

#include <QApplication>
#include <exception>
#include <functional>

// The application object: its title, Dutch for Qt's own dialogs, and the one place where
// errors reach the user. An exception that ends an event handler is caught by the event
// dispatch and shown in a message box; the event loop goes on.
class Application : public QApplication {
    Q_OBJECT

public:
    Application(int& argc, char** argv);

    static constexpr const char* kTitle = "pluvana";

    bool notify(QObject* receiver, QEvent* event) override;

    // Shows the message box for an exception; an abort is dropped without a message.
    void showException(const std::exception& error);

    // Replaces the message box, for tests: receives the text that would be shown.
    using ErrorSink = std::function<void(const QString& text)>;
    static void setErrorSink(ErrorSink sink);

private:
    void loadTranslations();
};
