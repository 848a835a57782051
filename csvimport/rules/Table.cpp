#include "csvimport/rules/Table.h"

#include "core/Errors.h"
#include "csvimport/rules/Fields.h"
#include "csvimport/rules/Lines.h"
#include "csvimport/rules/Separator.h"

#include <algorithm>
#include <climits>

namespace csv {

namespace {

std::vector<int> sortedSplits(const ImportChoices& choices)
{
    std::vector<int> splits;
    for (int split : choices.splits)
        if (split > 0)
            splits.push_back(split);
    std::sort(splits.begin(), splits.end());
    splits.erase(std::unique(splits.begin(), splits.end()), splits.end());
    return splits;
}

} // namespace

std::optional<char> separatorFor(std::string_view text, const ImportChoices& choices)
{
    if (!choices.automatic)
        return choices.separator;
    LineReader lines(text);
    std::string_view first;
    std::string_view second;
    lines.next(first);
    lines.next(second);
    return chooseSeparator(first, second);
}

bool hasLine(std::string_view bytes)
{
    return !textBeforeNul(bytes).empty();
}

core::CellTable buildTable(std::string fileBytes, const ImportChoices& choices, int minRows)
{
    core::CellTable::Builder builder(choices.titlesOnTop ? 0 : 1, std::move(fileBytes));
    std::string& buffer = builder.buffer();
    // Lines are counted in 64 bits: a row count beyond int stops the load before the grid.
    long long lines = 0;
    auto endRow = [&] {
        builder.endRow();
        if (++lines > INT_MAX - 2)
            throw core::Error("Het bestand is te groot om te importeren");
    };
    auto add = [&](std::string_view field) {
        builder.addField(field);
    };

    if (!choices.fixedWidth) {
        const std::string_view text = textBeforeNul(buffer);
        const std::optional<char> sep = separatorFor(text, choices);
        LineReader reader(text);
        FieldCutter cutter;
        std::string_view line;
        while (reader.next(line)) {
            char* begin = buffer.data() + (line.data() - buffer.data());
            cutter.cut(begin, begin + line.size(), sep, add);
            endRow();
        }
        if (lines == 0)
            throw core::Error("File is empty");
        return std::move(builder).finish(1, minRows);
    }

    const std::vector<int> splits = sortedSplits(choices);
    FixedLineReader reader(textBeforeEof(buffer));
    std::string_view line;
    while (reader.next(line)) {
        cutFixed(line, splits, true, add);
        endRow();
    }
    if (lines == 0)
        throw core::Error("File is empty");
    return std::move(builder).finish(static_cast<int>(splits.size()) + 1, minRows);
}

core::CellTable buildPreview(std::string_view head, const ImportChoices& choices, int maxLines,
                             int maxCols, size_t maxCellBytes)
{
    core::CellTable::Builder builder(0, std::string(head));
    std::string& buffer = builder.buffer();
    int cols = 0;
    auto add = [&](std::string_view field) {
        if (cols++ < maxCols)
            builder.addField(field.substr(0, maxCellBytes));
    };
    int lines = 0;
    std::string_view line;
    if (!choices.fixedWidth) {
        const std::string_view text = textBeforeNul(buffer);
        const std::optional<char> sep = separatorFor(text, choices);
        LineReader reader(text);
        FieldCutter cutter;
        while (lines < maxLines && reader.next(line)) {
            char* begin = buffer.data() + (line.data() - buffer.data());
            cols = 0;
            cutter.cut(begin, begin + line.size(), sep, add);
            builder.endRow();
            ++lines;
        }
        return std::move(builder).finish(1, 0);
    }
    const std::vector<int> splits = sortedSplits(choices);
    FixedLineReader reader(textBeforeEof(buffer));
    while (lines < maxLines && reader.next(line)) {
        cols = 0;
        cutFixed(line, splits, false, add);
        builder.endRow();
        ++lines;
    }
    return std::move(builder).finish(std::min(static_cast<int>(splits.size()) + 1, maxCols), 0);
}

void LongestLine::feed(std::string_view bytes)
{
    for (char c : bytes) {
        if (ended)
            return;
        if (c == '\x1a') {
            ended = true;
        } else if (c == '\r') {
            current = 0;
            afterCr = true;
            continue;
        } else if (c == '\n' && afterCr) {
            // belongs to the line end
        } else {
            longest = std::max(longest, ++current);
        }
        afterCr = false;
    }
}

} // namespace csv
