// A file dialog made on first use. The window's two file dialogs cost more
// at start-up than the rest of the window together (their icons and the
// file-system model), and most runs never open one. Once made, the dialog
// is kept, so the filter, default extension and folder of its last use
// stay as they were.
#pragma once

#include <QFileDialog>
#include <QPointer>
#include <functional>

class LazyFileDialog {
public:
    using Setup = std::function<void(QFileDialog*)>;

    LazyFileDialog() = default;
    LazyFileDialog(QWidget* parent, Setup setup) : parent_(parent), setup_(std::move(setup)) {}

    QFileDialog* get() {
        if (dialog_.isNull()) {
            dialog_ = new QFileDialog(parent_);
            if (setup_) {
                setup_(dialog_);
            }
        }
        return dialog_;
    }
    QFileDialog* operator->() { return get(); }
    operator QFileDialog*() { return get(); }

    bool Created() const { return !dialog_.isNull(); }
    // The dialog when it exists, without making it.
    QFileDialog* IfCreated() const { return dialog_; }

private:
    QWidget* parent_ = nullptr;
    Setup setup_;
    QPointer<QFileDialog> dialog_;
};
