// The customer register dialog: one row per customer. Like the issuer
// dialog it edits copies, and the opening command takes the grid back.
#pragma once

#include "Basedata.h"
#include "NoteWindow.h"
#include "RegisterDialog.h"

class TForm3 : public registers::RegisterDialog {
    Q_OBJECT

public:
    TForm3(const NoteContainers& note, const NoteWindow& window, QWidget* parent = nullptr);

    // The grid's customers with a name, in row order.
    customerlist ReadCustomerGrid() const;

protected:
    void FormCreate();
    void FormActivate() override;
    std::string AddEntryLine() override;

private:
    const NoteContainers& note_;
    const NoteWindow& window_;
};
