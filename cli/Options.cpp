#include "cli/Options.h"

#include <algorithm>
#include <charconv>

namespace cli {

namespace {

// Splits "a,b,c" at the commas; empty parts are kept so they can be refused.
std::vector<std::string> commaList(const std::string& text)
{
    std::vector<std::string> parts;
    size_t start = 0;
    while (true) {
        const size_t comma = text.find(',', start);
        parts.push_back(text.substr(start, comma - start));
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    return parts;
}

std::optional<int> number(const std::string& text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

char separatorFrom(const std::string& value)
{
    if (value == "tab")
        return '\t';
    if (value.size() == 1)
        return value[0];
    throw UsageError("Ongeldig scheidingsteken '" + value +
                     "': geef auto, tab of precies één teken.");
}

} // namespace

Options parseOptions(const std::vector<std::string>& args)
{
    Options options;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const auto value = [&]() -> const std::string& {
            if (i + 1 >= args.size())
                throw UsageError("Bij " + arg + " hoort een waarde.");
            return args[++i];
        };
        if (arg == "-h" || arg == "--help") {
            options.help = true;
        } else if (arg == "--scheidingsteken") {
            const std::string& v = value();
            if (v == "auto")
                options.separator.reset();
            else
                options.separator = separatorFrom(v);
        } else if (arg == "--vast") {
            std::vector<int> splits;
            for (const std::string& part : commaList(value())) {
                const auto n = number(part);
                if (!n || *n <= 0)
                    throw UsageError("Ongeldige knippositie '" + part +
                                     "' bij --vast: geef positieve getallen, bijvoorbeeld 3,13.");
                splits.push_back(*n);
            }
            std::sort(splits.begin(), splits.end());
            splits.erase(std::unique(splits.begin(), splits.end()), splits.end());
            options.splits = splits;
        } else if (arg == "--kolomtitels") {
            options.titles = true;
        } else if (arg == "--kolommen") {
            options.columns = commaList(value());
            for (const std::string& column : options.columns) {
                if (column.empty())
                    throw UsageError("Lege kolom in --kolommen.");
            }
        } else if (arg == "--sorteer") {
            options.sortColumn = value();
        } else if (arg == "--per-groep") {
            options.groupColumn = value();
        } else if (arg == "--map") {
            options.folder = value();
        } else if (arg == "-o") {
            options.output = value();
        } else if (arg.size() > 1 && arg[0] == '-') {
            throw UsageError("Onbekende optie: " + arg);
        } else if (options.input.empty()) {
            options.input = arg;
        } else {
            throw UsageError("Geef één CSV-bestand, niet ook '" + arg + "'.");
        }
    }
    if (options.help)
        return options;
    if (options.input.empty())
        throw UsageError("Geef het CSV-bestand.");
    if (options.separator && options.splits)
        throw UsageError("Kies --scheidingsteken of --vast, niet allebei.");
    if (options.groupColumn && options.folder.empty())
        throw UsageError("Bij --per-groep hoort --map met de map voor de lijsten.");
    if (!options.groupColumn && !options.folder.empty())
        throw UsageError("--map hoort bij --per-groep.");
    if (options.groupColumn && options.output)
        throw UsageError("Kies --per-groep of -o, niet allebei.");
    return options;
}

std::string helpText()
{
    return R"(Gebruik: pluvana-lijst [opties] BESTAND.csv

Maakt van een CSV-bestand met leerlinggegevens een leerlingenlijst (.zbr): één regel per
leerling, Windows-1252, regels gescheiden door CR LF. Zonder opties komt elke rij met al zijn
kolommen in de lijst, op standaarduitvoer.

Opties:
  --scheidingsteken X  het scheidingsteken: auto (standaard: kies zelf), ';', ',', '-', '_',
                       tab, of elk ander teken
  --vast 3,13          vaste kolombreedtes: knip elke regel na teken 3 en na teken 13
                       (spaties en stuurtekens rond elk veld vallen weg)
  --kolomtitels        de eerste regel bevat de kolomtitels: die komt niet in de lijst, en
                       kolommen kunnen dan ook bij hun titel genoemd worden
  --kolommen LIJST     de kolommen die samen een regel maken, in deze volgorde, als
                       nummers vanaf 1 (2,3,4) of als titels (Voornaam,Tussenvoegsel,Achternaam)
  --sorteer KOLOM      sorteer de leerlingen op deze kolom (nummer of titel), zoals een klik
                       op een kolomtitel in Pluvana: "groep 9" komt voor "groep 10"
  --per-groep KOLOM    maak één lijst per waarde van deze kolom: groep<waarde>.zbr
  --map MAP            de map waarin --per-groep de lijsten zet
  -o BESTAND           schrijf de lijst naar dit bestand in plaats van naar standaarduitvoer
  -h, --help           toon deze hulp

Afsluitcode: 0 gelukt, 1 fout bij lezen of schrijven, 2 verkeerd gebruik.
)";
}

} // namespace cli
