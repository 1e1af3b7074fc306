#include "Unit6.h"

#include "QtText.h"

#include <QLabel>
#include <QVBoxLayout>

TForm6::TForm6(QWidget* owner) : QDialog(owner), Label1(new QLabel(this)) {
    setObjectName(QStringLiteral("Form6"));
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setText(qttext::Q("追加予定です"));
    Label1->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    resize(320, 160);
}

namespace printing {

void ShowCustomPrint(QWidget* owner) {
    TForm6 form(owner);
    form.setWindowTitle(QStringLiteral("Custom Print"));
    form.setModal(true);
    form.exec();
}

} // namespace printing
