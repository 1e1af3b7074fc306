// The custom print window: a placeholder that says the feature is still to
// come. The opening command sets its caption and shows it modally.
#pragma once

#include <QDialog>

class QLabel;

class TForm6 : public QDialog {
public:
    explicit TForm6(QWidget* owner);

    QLabel* Label1;
};

namespace printing {

// The custom print command: a new placeholder window captioned
// "Custom Print", shown modally and destroyed when it closes. Prints nothing.
void ShowCustomPrint(QWidget* owner);

} // namespace printing
