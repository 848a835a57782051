#pragma once

#include "core/CellTable.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace csv {

// How a file is to be cut into cells.
struct ImportChoices {
    bool fixedWidth = false;  // fixed-width mode instead of separator mode
    bool automatic = true;    // separator mode: the separator is worked out from the file
    char separator = ',';     // separator mode, when not automatic
    std::vector<int> splits;  // fixed-width mode: split positions, in any order
    bool titlesOnTop = false; // the first line goes into row 0, else the lines start at row 1
};

// The separator for a text (already ended at its first NUL): the one chosen, or the one worked
// out from its first two lines.
std::optional<char> separatorFor(std::string_view text, const ImportChoices& choices);

// Whether the file's bytes yield at least one line in separator mode.
bool hasLine(std::string_view bytes);

// Turns a whole file into the table the source grid receives. Rows start at row 0 when
// choices.titlesOnTop, else at row 1 (row 0 then stays empty). Separator mode: one row per
// line, fields after the quote rules, as many columns as the widest line has fields (at
// least 1). Fixed-width mode: splits + 1 columns, every part trimmed. The table has at least
// minRows rows. Throws core::Error "File is empty" when the file yields no line. The file's
// bytes become the table's storage: fields are cut in place, never copied one by one.
core::CellTable buildTable(std::string fileBytes, const ImportChoices& choices, int minRows);

// The first maxLines lines of a file's head, cut as buildTable cuts them but from row 0,
// fixed-width parts untrimmed; at most maxCols columns, and no cell longer than maxCellBytes.
core::CellTable buildPreview(std::string_view head, const ImportChoices& choices, int maxLines = 10,
                             int maxCols = 256, size_t maxCellBytes = 4096);

// The length of the longest fixed-width line; `bytes` may be one piece of a longer text, with
// the state carrying over from the previous piece.
struct LongestLine {
    size_t longest = 0;
    size_t current = 0;
    bool afterCr = false;
    bool ended = false; // 0x1A was met: the text is over
    void feed(std::string_view bytes);
};

} // namespace csv
