// The issuer register dialog: one column per issuer. It reads the main
// window's register and issuer fields when it becomes active and changes
// nothing itself; the opening command takes the grid back after it closed.
#pragma once

#include "Basedata.h"
#include "NoteWindow.h"
#include "RegisterDialog.h"

class TForm2 : public registers::RegisterDialog {
    Q_OBJECT

public:
    TForm2(const NoteContainers& note, const NoteWindow& window, QWidget* parent = nullptr);

    // The grid's issuers with a name, in column order.
    ownerlist ReadIssuerGrid() const;
    // Their registration numbers (row 11), as typed.
    wordlist ReadIssuerNumbers() const;

protected:
    void FormCreate();
    void FormActivate() override;
    std::string AddEntryLine() override;

private:
    const NoteContainers& note_;
    const NoteWindow& window_;
};
