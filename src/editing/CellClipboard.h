// Cut, copy and paste of rectangular ranges of the line grid through the
// clipboard's plain text, in the comma-separated form of ClipboardText.h.
// The commands only move texts: they neither recalculate the note nor mark
// it as edited.
#pragma once

#include "NoteWindow.h"

#include <cstddef>
#include <string>

namespace editing {

// The platform clipboard's plain text as code page 932 bytes.
class ClipboardPort {
public:
    virtual ~ClipboardPort() = default;
    virtual bool HasText() const = 0;
    virtual std::string Text() const = 0;
    // At least the first `count` lines of the text (split as ClipboardLines
    // splits them): a platform clipboard converts only those, so a huge
    // clipboard costs no more than the part a paste uses.
    virtual std::string LeadingLines(std::size_t count) const {
        (void)count;
        return Text();
    }
    virtual void Clear() = 0;
    virtual void SetText(const std::string& cp932) = 0;
};

// A clipboard held in memory, for tests and headless use.
class MemoryClipboard : public ClipboardPort {
public:
    bool HasText() const override { return hasText_; }
    std::string Text() const override { return text_; }
    void Clear() override {
        text_.clear();
        hasText_ = false;
    }
    void SetText(const std::string& cp932) override {
        text_ = cp932;
        hasText_ = true;
    }

private:
    std::string text_;
    bool hasText_ = false;
};

// A selection of grid cells, inclusive on all sides.
struct CellRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
};

// True for a cell outside the title row and the row-number column.
bool IsDataCell(const NoteWindow& grid, int col, int row);

// The comma-separated form of the selection's texts.
std::string SelectionText(const NoteWindow& grid, const CellRect& selection);

// Clears the clipboard and puts the selection's texts on it.
void CopyCells(const NoteWindow& grid, const CellRect& selection, ClipboardPort& clipboard);

// As CopyCells, then every data cell of the selection is emptied (the
// titles and row numbers stay, should the selection reach them).
void CutCells(NoteWindow& grid, const CellRect& selection, ClipboardPort& clipboard);

// Writes field i of line k of `text` to cell (left + i, top + k) when that
// cell lies inside the grid; other fields are dropped. Nothing is written
// when the selection does not start in a data cell.
void PasteText(NoteWindow& grid, const CellRect& selection, const std::string& text);

// PasteText with the clipboard's text; nothing when it holds no text.
void PasteCells(NoteWindow& grid, const CellRect& selection, const ClipboardPort& clipboard);

} // namespace editing
