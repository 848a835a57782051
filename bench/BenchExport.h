#pragma once

#include <filesystem>
#include <fstream>
#include <string>

// A school board's export for the benchmarks: 1,000,000 rows of 8 semicolon-separated fields
// (about 70 MB) with a title line, written once per run to the temporary folder.
inline const std::string& benchExportFile()
{
    static const std::string path = [] {
        const std::string file =
            (std::filesystem::temp_directory_path() / "pluvana-bench-1m.csv").string();
        std::ofstream out(file, std::ios::binary);
        out << "Groep;Voornaam;Tussenvoegsel;Achternaam;Geboren;Adres;Plaats;Stamnummer\r\n";
        const char* infixes[] = {"", "van", "de", "van der", "ter"};
        for (int r = 0; r < 1'000'000; ++r)
            out << 1 + r % 8 << ";Voornaam" << r % 997 << ";" << infixes[r % 5] << ";Achternaam"
                << r % 7919 << ";2016-0" << 1 + r % 9 << "-1" << r % 10 << ";Straat " << r % 300
                << ";Plaats;" << 100000 + r << "\r\n";
        return file;
    }();
    return path;
}
