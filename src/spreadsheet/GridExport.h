// Export of the main window's line grid, cell by cell as displayed, into a
// BIFF2 spreadsheet file after the user has confirmed it.
#pragma once

#include "NoteWindow.h"

#include <functional>
#include <string>

namespace spreadsheet {

enum class Answer { Yes, No, Cancel };

// Asks the user a Yes/No/Cancel question (code page 932 text).
using ConfirmFn = std::function<Answer(const std::string& cp932Message)>;

// The question asked before every export (code page 932).
std::string ExportQuestion();

// True when the file name's extension is exactly ".xls" (lower case).
bool HasXlsExtension(const std::string& path);

// True when the text is empty or a single space: such cells are not written.
bool IsBlankCell(const std::string& text);

// Writes every non-blank cell (c, r) of the grid to sheet row r + 7, column
// c + 1, into a writer sized RowCount + 7 by ColCount + 1, and finishes it.
// Throws std::runtime_error when the file cannot be created.
void WriteGridToXls(const std::string& path, const NoteWindow& grid);

// Writes the grid when `path` ends in ".xls" and `confirm` answers Yes;
// returns whether the file was written. Nothing is asked for another name.
// Throws std::runtime_error when the file cannot be created.
bool ExportGridToXls(const std::string& path, const NoteWindow& grid, const ConfirmFn& confirm);

} // namespace spreadsheet
