// libFuzzer target for the import's text rules: any bytes, cut in every mode, must neither
// crash nor hang, and every table must be well formed.
#include "csvimport/rules/Table.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    // The first byte picks the choices, the rest is the file.
    const uint8_t pick = data[0];
    const std::string file(reinterpret_cast<const char*>(data + 1), size - 1);
    csv::ImportChoices choices;
    choices.titlesOnTop = pick & 1;
    choices.fixedWidth = pick & 2;
    choices.automatic = !(pick & 4);
    choices.separator = static_cast<char>(pick >> 3 | 0x20);
    if (choices.fixedWidth)
        choices.splits = {pick % 7 + 1, pick % 13 + 2, pick % 5 + 9};
    try {
        const core::CellTable table = csv::buildTable(file, choices, pick % 4);
        size_t total = 0;
        for (int r = 0; r < table.rowCount(); ++r)
            for (int c = 0; c < table.colCount(); ++c)
                total += table.cell(c, r).size();
        // Cleaning never makes a text longer but for 0x0B becoming CR LF.
        if (total > 2 * file.size())
            std::abort();
    } catch (const std::exception&) {
        // "File is empty" and the like are answers, not faults.
    }
    const core::CellTable preview = csv::buildPreview(file, choices);
    if (preview.rowCount() > 10 || preview.colCount() > 256)
        std::abort();
    return 0;
}
