#include "cli/Converter.h"

#include "core/CellTable.h"
#include "core/Cp1252.h"
#include "core/Errors.h"
#include "core/ListFile.h"
#include "core/ListLines.h"
#include "core/Marker.h"
#include "core/NaturalOrder.h"
#include "csvimport/rules/FileRead.h"
#include "csvimport/rules/Table.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <map>
#include <ostream>

namespace cli {

namespace {

// A Windows-1252 text in UTF-8, for messages and file names.
std::string utf8(std::string_view bytes)
{
    std::string text;
    for (char byte : bytes) {
        const char32_t c = core::cp1252ToUnicode(static_cast<unsigned char>(byte));
        if (c < 0x80) {
            text.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            text.push_back(static_cast<char>(0xC0 | (c >> 6)));
            text.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            text.push_back(static_cast<char>(0xE0 | (c >> 12)));
            text.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            text.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return text;
}

// The column a user names: a number counted from 1, or a title when the first line holds
// titles. Throws UsageError when there is no such column.
int resolveColumn(const std::string& name, const core::CellTable& table, bool titles)
{
    int number = 0;
    const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), number);
    if (error == std::errc() && end == name.data() + name.size()) {
        if (number >= 1 && number <= table.colCount())
            return number - 1;
        throw UsageError("Kolom " + name + " bestaat niet: het bestand heeft " +
                         std::to_string(table.colCount()) + " kolommen.");
    }
    if (titles) {
        for (int c = 0; c < table.colCount(); ++c) {
            const std::string_view title = table.cell(c, 0);
            if (title == name || utf8(title) == name)
                return c;
        }
        throw UsageError("Geen kolom met de titel '" + name + "'.");
    }
    throw UsageError("Kolom '" + name +
                     "' is geen nummer; titels kunnen alleen met --kolomtitels.");
}

// The list of some rows of the table: every chosen cell marked, joined by the same rule
// as the window program's transfer, each line followed by CR LF.
class ListMaker {
public:
    ListMaker(core::CellTable& table, std::vector<int> columns)
        : table_(table), columns_(std::move(columns))
    {
        // Mark the chosen cells of every data row, as selecting them in the grid would.
        for (int r = 1; r < table_.rowCount(); ++r) {
            for (int c : columns_)
                table_.setCell(c, r, core::mark(table_.cell(c, r)));
        }
    }

    // Calls sink(bytes) with the list of `rows` (data row numbers), piece by piece.
    template <typename Sink> void write(const std::vector<int>& rows, Sink&& sink) const
    {
        constexpr size_t kChunk = 4096;
        std::string piece;
        for (size_t first = 0; first < rows.size(); first += kChunk) {
            const size_t count = std::min(kChunk, rows.size() - first);
            // Row k + 1 of the view is rows[first + k]; row 0, the title row, is never read.
            const auto cell = [&](int col, int row) {
                return table_.cell(columns_[static_cast<size_t>(col)],
                                   rows[first + static_cast<size_t>(row) - 1]);
            };
            piece.clear();
            for (const std::string& line : core::listLines(
                     static_cast<int>(count) + 1, static_cast<int>(columns_.size()), cell)) {
                piece += line;
                piece += "\r\n";
            }
            sink(piece);
        }
    }

private:
    core::CellTable& table_;
    std::vector<int> columns_;
};

// A group's value made safe for a file name: characters a file name cannot hold become "-".
std::string safeFileName(std::string_view value)
{
    std::string name = utf8(value);
    for (char& c : name) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F || std::string_view("/\\:*?\"<>|").find(c) != std::string::npos)
            c = '-';
    }
    return name;
}

int convert(const Options& options, std::ostream& out, std::ostream& err)
{
    csv::ImportChoices choices;
    choices.titlesOnTop = options.titles;
    if (options.splits) {
        choices.fixedWidth = true;
        choices.splits = *options.splits;
    } else if (options.separator) {
        choices.automatic = false;
        choices.separator = *options.separator;
    }
    // Messages name the file by its full path, as the window program's do.
    const std::string input = std::filesystem::absolute(options.input).lexically_normal();
    core::CellTable table =
        csv::buildTable(csv::readWholeFile(input, csv::OpenFailure::CannotOpen), choices, 0);

    std::vector<int> columns;
    for (const std::string& name : options.columns)
        columns.push_back(resolveColumn(name, table, options.titles));
    if (columns.empty()) {
        for (int c = 0; c < table.colCount(); ++c)
            columns.push_back(c);
    }
    const int sortColumn =
        options.sortColumn ? resolveColumn(*options.sortColumn, table, options.titles) : -1;
    const int groupColumn =
        options.groupColumn ? resolveColumn(*options.groupColumn, table, options.titles) : -1;

    // Data rows start at row 1; the title row (or the empty row 0) is never listed.
    std::vector<int> rows;
    for (int r = 1; r < table.rowCount(); ++r)
        rows.push_back(r);
    if (sortColumn >= 0) {
        std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) {
            return core::naturalLess(table.cell(sortColumn, a), table.cell(sortColumn, b));
        });
    }

    if (groupColumn < 0) {
        const ListMaker maker(table, columns);
        if (options.output) {
            std::string bytes;
            maker.write(rows, [&](const std::string& piece) { bytes += piece; });
            core::writeListFile(*options.output, bytes);
        } else {
            maker.write(rows, [&](const std::string& piece) {
                out.write(piece.data(), static_cast<std::streamsize>(piece.size()));
            });
            out.flush();
            if (!out)
                throw core::Error("Stream write error");
        }
        return kSuccess;
    }

    // One list per value of the group column, in natural order of the values. Every group is
    // checked before any file is written.
    std::map<std::string, std::vector<int>, decltype(&core::naturalLess)> groups(core::naturalLess);
    for (int r : rows) {
        const std::string_view value = core::unmark(table.cell(groupColumn, r));
        if (value.empty()) {
            err << "pluvana-lijst: rij " << (options.titles ? r + 1 : r)
                << " heeft geen waarde in de groepkolom.\n";
            return kFailure;
        }
        groups[std::string(value)].push_back(r);
    }
    const ListMaker maker(table, columns);
    for (const auto& [value, groupRows] : groups) {
        const std::string name = "groep" + safeFileName(value) + ".zbr";
        std::string bytes;
        maker.write(groupRows, [&](const std::string& piece) { bytes += piece; });
        std::string path = options.folder;
        if (!path.empty() && path.back() != '/')
            path += '/';
        core::writeListFile(path + name, bytes);
        err << name << ": " << groupRows.size()
            << (groupRows.size() == 1 ? " leerling\n" : " leerlingen\n");
    }
    return kSuccess;
}

} // namespace

int run(const Options& options, std::ostream& out, std::ostream& err)
{
    if (options.help) {
        out << helpText();
        return kSuccess;
    }
    try {
        return convert(options, out, err);
    } catch (const UsageError& error) {
        err << "pluvana-lijst: " << error.what() << "\n";
        return kWrongUse;
    } catch (const std::bad_alloc&) {
        err << "pluvana-lijst: te weinig geheugen voor dit bestand.\n";
        return kFailure;
    } catch (const std::exception& error) {
        err << "pluvana-lijst: " << error.what() << "\n";
        return kFailure;
    }
}

int main(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    Options options;
    try {
        options = parseOptions(args);
    } catch (const UsageError& error) {
        err << "pluvana-lijst: " << error.what() << "\n"
            << "Zie pluvana-lijst --help.\n";
        return kWrongUse;
    }
    return run(options, out, err);
}

} // namespace cli
