#pragma once

#include "core/CellTable.h"

#include <QAbstractScrollArea>
#include <vector>

class SplitRuler;

// The import preview: the first lines of the file cut into cells, without a title row, in a
// fixed-pitch font so that the ruler above it lines up with the characters. In separator mode
// the columns are fitted to their texts; in fixed-width mode every column spans exactly the
// characters between two splits and a line is drawn through the preview at each split.
class PreviewGrid : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit PreviewGrid(QWidget* parent = nullptr);

    SplitRuler* ruler() const { return ruler_; }

    // Shows a table cut by a separator, columns fitted.
    void showSeparated(core::CellTable table);
    // Shows a table cut at the ruler's splits, `chars` characters wide.
    void showFixed(core::CellTable table, int chars);

    const core::CellTable& table() const { return table_; }
    // Left edge of column c in content coordinates; c == colCount gives the right edge.
    int columnLeft(int c) const;
    int columnWidth(int c) const { return columnLeft(c + 1) - columnLeft(c); }
    int charWidth() const { return charWidth_; }
    int rowHeight() const { return rowHeight_; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void layoutRuler();
    void updateScrollBars();

    SplitRuler* ruler_;
    core::CellTable table_;
    std::vector<int> lefts_{0}; // column edges, colCount + 1 entries
    bool fixed_ = false;
    int charWidth_ = 8;
    int rowHeight_ = 18;
};
