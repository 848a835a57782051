#include "app/Application.h"

#include "app/ErrorText.h"
#include "controls/SystemColors.h"
#include "core/Errors.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QStyleFactory>
#include <QTranslator>

namespace {
Application::ErrorSink& errorSink()
{
    static Application::ErrorSink sink;
    return sink;
}
} // namespace

Application::Application(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QString::fromLatin1(kTitle));
    // Lets the desktop match the window to its menu entry and icon.
    setDesktopFileName(QStringLiteral("nl.pluvana.Pluvana"));
    setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    // The classic desktop colours, whatever theme the desktop has.
    QPalette pal = palette();
    pal.setColor(QPalette::Window, syscolors::btnFace());
    pal.setColor(QPalette::Button, syscolors::btnFace());
    pal.setColor(QPalette::Base, syscolors::window());
    pal.setColor(QPalette::Text, syscolors::windowText());
    pal.setColor(QPalette::WindowText, syscolors::windowText());
    pal.setColor(QPalette::ButtonText, syscolors::windowText());
    pal.setColor(QPalette::Highlight, QColor(0, 120, 215));
    pal.setColor(QPalette::HighlightedText, QColor(255, 255, 255));
    setPalette(pal);

    loadTranslations();
}

void Application::loadTranslations()
{
    // Qt's own dialogs and buttons speak Dutch, whatever the machine's locale.
    const QLocale dutch(QLocale::Dutch, QLocale::Netherlands);
    QLocale::setDefault(dutch);
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    for (const char* name : {"qtbase", "qt"}) {
        auto* translator = new QTranslator(this);
        if (translator->load(dutch, QString::fromLatin1(name), QStringLiteral("_"), folder))
            installTranslator(translator);
        else
            delete translator;
    }
}

bool Application::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        showException(error);
    }
    return false;
}

void Application::showException(const std::exception& error)
{
    if (dynamic_cast<const core::Abort*>(&error))
        return;
    const QString text = errorText(QString::fromUtf8(error.what()));
    if (errorSink()) {
        errorSink()(text);
        return;
    }
    QMessageBox box(QMessageBox::Critical, QString::fromLatin1(kTitle), text, QMessageBox::Ok,
                    activeWindow());
    box.exec();
}

void Application::setErrorSink(ErrorSink sink)
{
    errorSink() = std::move(sink);
}
