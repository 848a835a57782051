#pragma once

#include <array>
#include <string_view>

// The arithmetic that places the controls following the splitter and the window's width.
// Plain integers in pixels; halving is C++ division on int, which truncates toward zero
// (-5 / 2 == -2), so a negative gap is halved toward zero, never rounded down.
namespace layoutrules {

// The button above the splitter: its middle pixel column is the splitter's leftmost one.
constexpr int naarmemoLeft(int splitterLeft, int naarmemoWidth)
{
    return splitterLeft - naarmemoWidth / 2;
}

// The label above the grid, centred in the gap between the import button and the button
// above the splitter. The stop button's width stands in for the import button's: both are
// the same.
constexpr int csvLeft(int naarmemoLeft, int stopWidth, int importeerWidth, int csvWidth)
{
    const int a = naarmemoLeft - stopWidth;
    return importeerWidth + a / 2 - csvWidth / 2;
}

// The label above the list, centred in the gap between the button above the splitter and
// the save button.
constexpr int zbrLeft(int naarmemoLeft, int naarmemoWidth, int bewaarLeft, int zbrWidth)
{
    const int b = naarmemoLeft + naarmemoWidth;
    return (bewaarLeft - b) / 2 + b - zbrWidth / 2;
}

// The instructions panel spans the bottom panel but for the stop button's width.
constexpr int toelichtingWidth(int onderWidth, int stopWidth)
{
    return onderWidth - stopWidth;
}

// The instructions, one string per line added; the last one carries the credit line.
inline constexpr std::array<std::string_view, 12> kInstructions = {
    "Hoe maak je uit de gegevens van een CSV-bestand een leerlingenlijst?",
    "1. Klik op 'Importeer' en zoek een csv-bestand met leerlinggegevens",
    "2. Wijzig zo nodig het scheidingsteken en klik op 'Kolomtitels bovenaan'",
    "3. Klik op ok",
    "4. Versleep de kolomtitels zodat de voornamen en tussenvoegsels en achternamen naast "
    "elkaar staan",
    "5. Klik op een kolomtitel om de kolom te sorteren",
    "6. Klik bv op de kolomtitel van 'Groep' om deze kolom te sorteren",
    "7. Selecteer de kolommen die je wilt gebruiken door de linker muistoets ingedrukt te "
    "houden",
    "8. Klik op 'Zet in de lijst' om de namen in de leerlingenlijst te zetten",
    "9. Controleer de leerlingenlijst en pas die zonodig aan",
    "10. Klik op 'Bewaar', kies een geschikte naam (bv groep6) en zet die in de map met "
    "leerlingenlijsten",
    // Windows-1252: 0xA9 is the copyright sign.
    "11. Herhaal zo nodig vanaf punt 7 de procedure\r\n\xA9 Uitgeverij Pluvana",
};

} // namespace layoutrules
