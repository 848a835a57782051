#include "app/Application.h"
#include "ui/TfMain.h"

#include <exception>

int main(int argc, char** argv)
{
    Application app(argc, argv);
    try {
        fMain = new TfMain;
        fMain->show();
        app.exec();
    } catch (const std::exception& error) {
        app.showException(error);
    } catch (...) {
        // Whatever else escaped still ends the program normally.
    }
    delete fMain;
    fMain = nullptr;
    // The program always ends with exit code 0.
    return 0;
}
