#include "IssueDialog.h"

#include "QtText.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

using qttext::Q;

IssueDialog::IssueDialog(QWidget* owner, const QString& folder) : QDialog(owner) {
    setWindowTitle(Q("PDFで発行"));
    KindBox = new QComboBox(this);
    // Items in the order of the menu; the data is the print kind.
    KindBox->addItem(Q("納品書"), 1);
    KindBox->addItem(Q("納品書(控)"), 0);
    KindBox->addItem(Q("請求書"), 2);
    KindBox->setCurrentIndex(2);

    FolderEdit = new QLineEdit(folder, this);
    FolderEdit->setMinimumWidth(320);
    BrowseButton = new QPushButton(Q("参照…"), this);
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(FolderEdit, 1);
    folderRow->addWidget(BrowseButton);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    IssueButton = buttons->button(QDialogButtonBox::Ok);
    IssueButton->setText(Q("発行"));
    buttons->button(QDialogButtonBox::Cancel)->setText(Q("キャンセル"));

    auto* form = new QFormLayout(this);
    form->addRow(Q("種類"), KindBox);
    form->addRow(Q("保存先フォルダ"), folderRow);
    form->addRow(buttons);

    connect(BrowseButton, &QPushButton::clicked, this, &IssueDialog::Browse);
    connect(FolderEdit, &QLineEdit::textChanged, this, &IssueDialog::UpdateIssueButton);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    UpdateIssueButton();
}

int IssueDialog::Kind() const {
    return KindBox->currentData().toInt();
}

QString IssueDialog::Folder() const {
    return FolderEdit->text().trimmed();
}

void IssueDialog::Browse() {
    const QString chosen = QFileDialog::getExistingDirectory(
        this, Q("保存先フォルダ"), Folder().isEmpty() ? QDir::homePath() : Folder());
    if (!chosen.isEmpty()) {
        FolderEdit->setText(QDir::toNativeSeparators(chosen));
    }
}

void IssueDialog::UpdateIssueButton() {
    IssueButton->setEnabled(!Folder().isEmpty());
}
